#include "ChartPicture.h"

#include "ui/style/UiFonts.h"
#include "morse/MorsePattern.h"

#include <QFontMetrics>
#include <QPainter>

#include <array>

namespace ChartPicture {

namespace {

const std::array<Row, 18> chartRows = {{
    {u"ホレ"_qs, u'^', true},
    {u"ラタ"_qs, u'*', true},
    {u"ホホ"_qs, u'<', true},
    {u"ウウ"_qs, u'>', true},
    {u"AS"_qs, u'"', true},
    {u"KN"_qs, u'#', true},
    {u"SK"_qs, u'$', true},
    {u"SN"_qs, u'%', true},
    {u"KA"_qs, u'&', true},
    {u"AR"_qs, u'+', true},
    {u"BT"_qs, u'=', true},
    {u"!"_qs, u'!', false},
    {u","_qs, u',', false},
    {u"―"_qs, u'-', false}, // a hyphen alone is too small to read as a sign
    {u"."_qs, u'.', false},
    {u"/"_qs, u'/', false},
    {u"?"_qs, u'?', false},
    {u"@"_qs, u'@', false},
}};

constexpr int leftTableRows = 11;

// Layout in picture pixels.
constexpr int titleTop = 6;
constexpr int titleHeight = 28;
constexpr int tableTop = 40;
constexpr int tableLeft[2] = {8, 299};
constexpr int nameWidth = 64;
constexpr int keyWidth = 50;
constexpr int morseWidth = 169;
constexpr int tableWidth = nameWidth + keyWidth + morseWidth;
constexpr int headerHeight = 22;
constexpr int rowHeight = 24;

// One Morse unit: a dot is a unit square, a dash three units long, and one
// unit separates the elements, so the longest row (19 units) fits the cell.
constexpr int unit = 7;
constexpr int morseIndent = 14;

int tableOf(int index) { return index < leftTableRows ? 0 : 1; }
int rowInTable(int index) { return index < leftTableRows ? index : index - leftTableRows; }
int rowsInTable(int table) { return table == 0 ? leftTableRows : int(chartRows.size()) - leftTableRows; }

QRect rowRect(int index)
{
    const int table = tableOf(index);
    return {tableLeft[table], tableTop + headerHeight + rowInTable(index) * rowHeight, tableWidth, rowHeight};
}

QString keyText(char16_t key)
{
    // A straight quotation mark reads like two ticks at this size; the chart
    // shows the opening double quote the keyboard produces in Japanese input.
    return key == u'"' ? u"“"_qs : QString(QChar(key));
}

void drawTableFrame(QPainter &p, int table)
{
    const int left = tableLeft[table];
    const int bottom = tableTop + headerHeight + rowsInTable(table) * rowHeight;

    p.setPen(QPen(Qt::black, 1));
    for (int r = 1; r < rowsInTable(table); ++r) {
        const int y = tableTop + headerHeight + r * rowHeight;
        p.drawLine(left, y, left + tableWidth, y);
    }
    p.drawLine(left + nameWidth, tableTop, left + nameWidth, bottom);
    p.drawLine(left + nameWidth + keyWidth, tableTop, left + nameWidth + keyWidth, bottom);

    p.fillRect(left, tableTop + headerHeight - 1, tableWidth, 2, Qt::black);
    p.setPen(QPen(Qt::black, 2));
    p.drawRect(QRect(left, tableTop, tableWidth, bottom - tableTop));

    p.setFont(uiFont(UiFace::MeiryoUi, 14, true));
    const QRect header(left, tableTop, tableWidth, headerHeight);
    p.drawText(QRect(header.left(), header.top(), nameWidth, headerHeight), Qt::AlignCenter, u"文字"_qs);
    p.drawText(QRect(header.left() + nameWidth, header.top(), keyWidth, headerHeight), Qt::AlignCenter,
               u"キー"_qs);
    p.drawText(QRect(header.left() + nameWidth + keyWidth, header.top(), morseWidth, headerHeight),
               Qt::AlignCenter, u"モールス符号"_qs);
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
    const int top = cell.top() + (cell.height() - unit) / 2;
    int x = cell.left() + morseIndent;
    for (char symbol : pattern) {
        if (symbol == '.') {
            p.fillRect(x, top, unit, unit, Qt::black);
            x += 2 * unit;
        } else if (symbol == '-') {
            p.fillRect(x, top, 3 * unit, unit, Qt::black);
            x += 4 * unit;
        } else {
            x += 2 * unit; // a gap inside a pattern lasts two extra units
        }
    }
}

} // namespace

std::span<const Row> rows()
{
    return chartRows;
}

QRect morseCell(int index)
{
    const QRect row = rowRect(index);
    return {row.left() + nameWidth + keyWidth, row.top(), morseWidth, rowHeight};
}

QImage render()
{
    QImage image(pictureSize, QImage::Format_RGB32);
    image.fill(Qt::white);

    QPainter p(&image);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setPen(Qt::black);

    p.setFont(uiFont(UiFace::MeiryoUi, 19, true));
    p.drawText(QRect(0, titleTop, pictureSize.width(), titleHeight), Qt::AlignCenter,
               u"モールス符号、キーボード 対応表"_qs);

    for (int table = 0; table < 2; ++table)
        drawTableFrame(p, table);

    for (int i = 0; i < int(chartRows.size()); ++i) {
        const Row &row = chartRows[i];
        const QRect r = rowRect(i);
        drawName(p, row, QRect(r.left(), r.top(), nameWidth, rowHeight));
        p.setFont(uiFont(UiFace::MsGothic, 17, true));
        p.drawText(QRect(r.left() + nameWidth, r.top(), keyWidth, rowHeight), Qt::AlignCenter, keyText(row.key));
        drawMorse(p, LookupMorsePattern(row.key), morseCell(i));
    }
    return image;
}

} // namespace ChartPicture
