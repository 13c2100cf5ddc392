#include "ChartPicture.h"

#include "ui/style/UiFonts.h"
#include "morse/MorsePattern.h"

#include <QFontMetrics>
#include <QPainter>

#include <array>

namespace ChartPicture {

namespace {

const std::array<Row, 18> kChartRows = {{
    {QStringLiteral("ホレ"), u'^', true},
    {QStringLiteral("ラタ"), u'*', true},
    {QStringLiteral("ホホ"), u'<', true},
    {QStringLiteral("ウウ"), u'>', true},
    {QStringLiteral("AS"), u'"', true},
    {QStringLiteral("KN"), u'#', true},
    {QStringLiteral("SK"), u'$', true},
    {QStringLiteral("SN"), u'%', true},
    {QStringLiteral("KA"), u'&', true},
    {QStringLiteral("AR"), u'+', true},
    {QStringLiteral("BT"), u'=', true},
    {QStringLiteral("!"), u'!', false},
    {QStringLiteral(","), u',', false},
    {QStringLiteral("―"), u'-', false}, // a hyphen alone is too small to read as a sign
    {QStringLiteral("."), u'.', false},
    {QStringLiteral("/"), u'/', false},
    {QStringLiteral("?"), u'?', false},
    {QStringLiteral("@"), u'@', false},
}};

constexpr int kLeftTableRows = 11;

// Layout in picture pixels.
constexpr int kTitleTop = 6;
constexpr int kTitleHeight = 28;
constexpr int kTableTop = 40;
constexpr int kTableLeft[2] = {8, 299};
constexpr int kNameWidth = 64;
constexpr int kKeyWidth = 50;
constexpr int kMorseWidth = 169;
constexpr int kTableWidth = kNameWidth + kKeyWidth + kMorseWidth;
constexpr int kHeaderHeight = 22;
constexpr int kRowHeight = 24;

// One Morse unit: a dot is a unit square, a dash three units long, and one
// unit separates the elements, so the longest row (19 units) fits the cell.
constexpr int kUnit = 7;
constexpr int kMorseIndent = 14;

int tableOf(int index) { return index < kLeftTableRows ? 0 : 1; }
int rowInTable(int index) { return index < kLeftTableRows ? index : index - kLeftTableRows; }
int rowsInTable(int table) { return table == 0 ? kLeftTableRows : int(kChartRows.size()) - kLeftTableRows; }

QRect rowRect(int index)
{
    const int table = tableOf(index);
    return {kTableLeft[table], kTableTop + kHeaderHeight + rowInTable(index) * kRowHeight, kTableWidth, kRowHeight};
}

QString keyText(char16_t key)
{
    // A straight quotation mark reads like two ticks at this size; the chart
    // shows the opening double quote the keyboard produces in Japanese input.
    return key == u'"' ? QStringLiteral("“") : QString(QChar(key));
}

void drawTableFrame(QPainter &p, int table)
{
    const int left = kTableLeft[table];
    const int bottom = kTableTop + kHeaderHeight + rowsInTable(table) * kRowHeight;

    p.setPen(QPen(Qt::black, 1));
    for (int r = 1; r < rowsInTable(table); ++r) {
        const int y = kTableTop + kHeaderHeight + r * kRowHeight;
        p.drawLine(left, y, left + kTableWidth, y);
    }
    p.drawLine(left + kNameWidth, kTableTop, left + kNameWidth, bottom);
    p.drawLine(left + kNameWidth + kKeyWidth, kTableTop, left + kNameWidth + kKeyWidth, bottom);

    p.fillRect(left, kTableTop + kHeaderHeight - 1, kTableWidth, 2, Qt::black);
    p.setPen(QPen(Qt::black, 2));
    p.drawRect(QRect(left, kTableTop, kTableWidth, bottom - kTableTop));

    p.setFont(uiFont(UiFace::MeiryoUi, 14, true));
    const QRect header(left, kTableTop, kTableWidth, kHeaderHeight);
    p.drawText(QRect(header.left(), header.top(), kNameWidth, kHeaderHeight), Qt::AlignCenter, QStringLiteral("文字"));
    p.drawText(QRect(header.left() + kNameWidth, header.top(), kKeyWidth, kHeaderHeight), Qt::AlignCenter,
               QStringLiteral("キー"));
    p.drawText(QRect(header.left() + kNameWidth + kKeyWidth, header.top(), kMorseWidth, kHeaderHeight),
               Qt::AlignCenter, QStringLiteral("モールス符号"));
}

void drawName(QPainter &p, const Row &row, QRect cell)
{
    if (!row.overlined) {
        // Punctuation is small ink; a size up keeps it legible once stretched.
        p.setFont(uiFont(UiFace::MeiryoUi, 18, true));
        p.drawText(cell, Qt::AlignCenter, row.name);
        return;
    }
    // Kana fill the whole em; move the name down to leave the line room.
    p.setFont(uiFont(UiFace::MeiryoUi, 14, true));
    cell.setTop(cell.top() + 3);
    p.drawText(cell, Qt::AlignCenter, row.name);
    // QFont::setOverline places the line at the font's full ascent, well above
    // Latin capitals in a CJK face; put it just over the ink instead.
    const QFontMetrics metrics(p.font());
    const QRect ink = metrics.tightBoundingRect(row.name);
    const int width = metrics.horizontalAdvance(row.name);
    const int left = cell.left() + (cell.width() - width) / 2;
    const int baseline = cell.top() + (cell.height() - metrics.height()) / 2 + metrics.ascent();
    p.fillRect(left, baseline + ink.top() - 3, width, 2, Qt::black);
}

void drawMorse(QPainter &p, MorsePattern pattern, const QRect &cell)
{
    const int top = cell.top() + (cell.height() - kUnit) / 2;
    int x = cell.left() + kMorseIndent;
    for (char symbol : pattern) {
        if (symbol == '.') {
            p.fillRect(x, top, kUnit, kUnit, Qt::black);
            x += 2 * kUnit;
        } else if (symbol == '-') {
            p.fillRect(x, top, 3 * kUnit, kUnit, Qt::black);
            x += 4 * kUnit;
        } else {
            x += 2 * kUnit; // a gap inside a pattern lasts two extra units
        }
    }
}

} // namespace

std::span<const Row> rows()
{
    return kChartRows;
}

QRect morseCell(int index)
{
    const QRect row = rowRect(index);
    return {row.left() + kNameWidth + kKeyWidth, row.top(), kMorseWidth, kRowHeight};
}

QImage render()
{
    QImage image(pictureSize, QImage::Format_RGB32);
    image.fill(Qt::white);

    QPainter p(&image);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setPen(Qt::black);

    p.setFont(uiFont(UiFace::MeiryoUi, 19, true));
    p.drawText(QRect(0, kTitleTop, pictureSize.width(), kTitleHeight), Qt::AlignCenter,
               QStringLiteral("モールス符号、キーボード 対応表"));

    for (int table = 0; table < 2; ++table)
        drawTableFrame(p, table);

    for (int i = 0; i < int(kChartRows.size()); ++i) {
        const Row &row = kChartRows[i];
        const QRect r = rowRect(i);
        drawName(p, row, QRect(r.left(), r.top(), kNameWidth, kRowHeight));
        p.setFont(uiFont(UiFace::MsGothic, 17, true));
        p.drawText(QRect(r.left() + kNameWidth, r.top(), kKeyWidth, kRowHeight), Qt::AlignCenter, keyText(row.key));
        drawMorse(p, LookupMorsePattern(row.key), morseCell(i));
    }
    return image;
}

} // namespace ChartPicture
