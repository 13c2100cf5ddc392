#include "TestPaths.h"
#include "morse/MorsePattern.h"
#include "ui/style/AppIcon.h"
#include "ui/spcode/ChartPicture.h"
#include "ui/style/DarkStyle.h"
#include "ui/spcode/SpCode.h"
#include "ui/style/UiFonts.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

// The hicolor sizes installed for the desktop (src/ui/CMakeLists.txt).
constexpr int iconSizes[] = {16, 24, 32, 48, 64, 128, 256};

QString sourcePath(const QString &relative)
{
    return QDir::cleanPath(QStringLiteral(KEYLARK_TEST_DATA_DIR "/../../") + relative);
}

bool isInk(const QImage &image, int x, int y) { return qGray(image.pixel(x, y)) < 128; }

// Reads the marks along the middle of a chart cell: a square mark is a dot, a
// mark at least twice as long as it is tall a dash.
QString readMorse(const QImage &chart, const QRect &cell)
{
    const int y = cell.center().y();
    QString symbols;
    for (int x = cell.left() + 3; x < cell.right() - 2; ++x) {
        if (!isInk(chart, x, y))
            continue;
        const int start = x;
        while (x < cell.right() - 2 && isInk(chart, x, y))
            ++x;
        const int width = x - start;
        int top = y, bottom = y;
        while (top > cell.top() && isInk(chart, start, top - 1))
            --top;
        while (bottom < cell.bottom() && isInk(chart, start, bottom + 1))
            ++bottom;
        const int height = bottom - top + 1;
        symbols += width == height ? u'.' : width >= 2 * height ? u'-' : u'?';
    }
    return symbols;
}

int goldPixels(const QImage &image)
{
    int count = 0;
    const QColor gold = DarkStyle::gold;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            count += std::abs(c.red() - gold.red()) + std::abs(c.green() - gold.green())
                         + std::abs(c.blue() - gold.blue()) < 60;
        }
    }
    return count;
}

// WCAG contrast ratio; 4.5 : 1 is the usual floor for text.
double contrast(const QColor &a, const QColor &b)
{
    auto luminance = [](const QColor &c) {
        auto lin = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * lin(c.redF()) + 0.7152 * lin(c.greenF()) + 0.0722 * lin(c.blueF());
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

using DialogAction = std::function<void(TfrmSpCode &, QPushButton *)>;
using WidgetMaker = std::function<QWidget *()>;

} // namespace

class TestSpCode : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void writeArtwork();
    void dialogLayout();
    void closesOnlyByItsButton_data();
    void closesOnlyByItsButton();
    void modalRunEndsOnlyWithOkAndRepeats();
    void chartRows_data();
    void chartRows();
    void textsStayReadable_data();
    void textsStayReadable();
    void accentsAreGold_data();
    void accentsAreGold();
    void fontsResolveToInstalledFaces_data();
    void fontsResolveToInstalledFaces();
    void iconMatchesInstalledPictures();

private:
    QImage m_chart;
};

void TestSpCode::initTestCase()
{
    DarkStyle::apply(*qApp);
    QCOMPARE(QApplication::applicationDisplayName(), u"KEYLARK"_qs);
    m_chart = ChartPicture::render();
    QCOMPARE(m_chart.size(), QSize(590, 331));
}

// Renders the committed icon pictures and the chart screenshot, on demand:
// KEYLARK_WRITE_ARTWORK=1 tst_spcode writeArtwork
void TestSpCode::writeArtwork()
{
    if (qEnvironmentVariableIsEmpty("KEYLARK_WRITE_ARTWORK"))
        QSKIP("set KEYLARK_WRITE_ARTWORK to render the icon pictures and the chart screenshot");
    for (int size : iconSizes)
        QVERIFY(appIconImage(size).save(sourcePath(u"src/ui/style/icons/keylark-%1.png"_qs.arg(size))));
    TfrmSpCode dialog;
    dialog.show();
    QVERIFY(dialog.grab().save(sourcePath(u"docs/chart.png"_qs)));
}

void TestSpCode::dialogLayout()
{
    TfrmSpCode dialog;
    dialog.show();
    QCOMPARE(dialog.size(), QSize(577, 357));
    QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
    QVERIFY(dialog.windowTitle().isEmpty());
    QVERIFY(dialog.windowFlags() & Qt::CustomizeWindowHint);
    QVERIFY(!(dialog.windowFlags() & (Qt::WindowCloseButtonHint | Qt::WindowSystemMenuHint)));

    auto *img1 = dialog.findChild<QLabel *>(u"img1"_qs);
    QVERIFY(img1);
    QCOMPARE(img1->geometry(), QRect(3, 3, 571, 305));
    QVERIFY(img1->hasScaledContents());
    QCOMPARE(img1->pixmap().toImage().convertToFormat(m_chart.format()), m_chart);

    auto *btnOK = dialog.findChild<QPushButton *>(u"btnOK"_qs);
    QVERIFY(btnOK);
    QCOMPARE(btnOK->text(), u"OK"_qs);
    QCOMPARE(btnOK->geometry(), QRect(248, 319, 89, 30));
    QList<QWidget *> focusable;
    for (QWidget *child : dialog.findChildren<QWidget *>()) {
        if (child->focusPolicy() != Qt::NoFocus)
            focusable << child;
    }
    QCOMPARE(focusable, QList<QWidget *>{btnOK});
}

void TestSpCode::closesOnlyByItsButton_data()
{
    QTest::addColumn<DialogAction>("action");
    QTest::addColumn<bool>("staysOpen");
    QTest::newRow("click OK") << DialogAction([](auto &, auto *ok) { QTest::mouseClick(ok, Qt::LeftButton); }) << false;
    QTest::newRow("Space on OK") << DialogAction([](auto &, auto *ok) { QTest::keyClick(ok, Qt::Key_Space); }) << false;
    QTest::newRow("Enter on OK") << DialogAction([](auto &, auto *ok) { QTest::keyClick(ok, Qt::Key_Return); }) << false;
    QTest::newRow("Escape on OK") << DialogAction([](auto &, auto *ok) { QTest::keyClick(ok, Qt::Key_Escape); }) << true;
    QTest::newRow("Escape") << DialogAction([](auto &d, auto *) { QTest::keyClick(&d, Qt::Key_Escape); }) << true;
    QTest::newRow("close request") << DialogAction([](auto &d, auto *) { d.close(); }) << true;
}

void TestSpCode::closesOnlyByItsButton()
{
    QFETCH(DialogAction, action);
    QFETCH(bool, staysOpen);
    TfrmSpCode dialog;
    dialog.show();
    action(dialog, dialog.findChild<QPushButton *>(u"btnOK"_qs));
    QCOMPARE(dialog.isVisible(), staysOpen);
    if (!staysOpen)
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
}

void TestSpCode::modalRunEndsOnlyWithOkAndRepeats()
{
    TfrmSpCode dialog;
    QImage shown[2];
    bool openAfterEscape[2] = {};
    for (int run = 0; run < 2; ++run) {
        QTimer::singleShot(0, &dialog, [&, run] {
            shown[run] = dialog.grab().toImage();
            QTest::keyClick(&dialog, Qt::Key_Escape);
            openAfterEscape[run] = dialog.isVisible();
            QTest::mouseClick(dialog.findChild<QPushButton *>(u"btnOK"_qs), Qt::LeftButton);
        });
        QCOMPARE(dialog.exec(), int(QDialog::Accepted));
        QVERIFY(openAfterEscape[run]);
        QVERIFY(!dialog.isVisible());
    }
    QCOMPARE(shown[1], shown[0]);
}

void TestSpCode::chartRows_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("pattern");
    const struct { const char16_t *name; char16_t key; const char *pattern; } rows[] = {
        {u"ホレ", u'^', "-..---"}, {u"ラタ", u'*', "...-."}, {u"ホホ", u'<', "-..-.."}, {u"ウウ", u'>', "..-..-"},
        {u"AS", u'"', ".-..."},    {u"KN", u'#', "-.--."},   {u"SK", u'$', "...-.-"},  {u"SN", u'%', "...-."},
        {u"KA", u'&', "-.-.-"},    {u"AR", u'+', ".-.-."},   {u"BT", u'=', "-...-"},   {u"!", u'!', "-.-.--"},
        {u",", u',', "--..--"},    {u"―", u'-', "-....-"},   {u".", u'.', ".-.-.-"},   {u"/", u'/', "-..-."},
        {u"?", u'?', "..--.."},    {u"@", u'@', ".--.-."},
    };
    int index = 0;
    for (const auto &row : rows) {
        const QString name = QString::fromUtf16(row.name);
        QTest::addRow("%d %s", index, qUtf8Printable(name))
            << index << name << int(row.key) << QString::fromLatin1(row.pattern);
        ++index;
    }
}

void TestSpCode::chartRows()
{
    QFETCH(int, index);
    QFETCH(QString, name);
    QFETCH(int, key);
    QFETCH(QString, pattern);

    QCOMPARE(int(ChartPicture::rows().size()), 18);
    const ChartPicture::Row &row = ChartPicture::rows()[index];
    QCOMPARE(row.name, name);
    QCOMPARE(int(row.key), key);
    QCOMPARE(row.overlined, index < 11); // prosigns and two-kana signs fill the left table
    const MorsePattern keyed = LookupMorsePattern(row.key);
    QCOMPARE(QString::fromLatin1(keyed.data(), qsizetype(keyed.size())), pattern);

    const QRect cell = ChartPicture::morseCell(index);
    QVERIFY(QRect(QPoint(0, 0), m_chart.size()).contains(cell));
    QCOMPARE(readMorse(m_chart, cell), pattern);
}

void TestSpCode::textsStayReadable_data()
{
    QTest::addColumn<QColor>("foreground");
    QTest::addColumn<QPalette::ColorRole>("background");
    QTest::newRow("white ticker") << QColor(Qt::white) << QPalette::Window;
    QTest::newRow("white tab caption") << QColor(Qt::white) << QPalette::Button;
    QTest::newRow("yellow call-sign input") << QColor(Qt::yellow) << QPalette::Base;
    QTest::newRow("silver score") << QColor(0xC0, 0xC0, 0xC0) << QPalette::Window;
    QTest::newRow("selected text") << QApplication::palette().color(QPalette::HighlightedText) << QPalette::Highlight;
}

void TestSpCode::textsStayReadable()
{
    QFETCH(QColor, foreground);
    QFETCH(QPalette::ColorRole, background);
    const QColor surface = QApplication::palette().color(background);
    if (background != QPalette::Highlight)
        QVERIFY2(surface.lightness() < 70, qPrintable(surface.name()));
    const double ratio = contrast(foreground, surface);
    QVERIFY2(ratio >= 4.5, qPrintable(u"contrast %1 : 1"_qs.arg(ratio, 0, 'f', 2)));
}

void TestSpCode::accentsAreGold_data()
{
    QTest::addColumn<WidgetMaker>("make");
    QTest::addColumn<bool>("gilded");
    auto checkBox = [](bool checked) {
        return WidgetMaker([checked] {
            auto *box = new QCheckBox(u"ランダム受信"_qs);
            box->setChecked(checked);
            return box;
        });
    };
    QTest::newRow("ticked check box") << checkBox(true) << true;
    QTest::newRow("unticked check box") << checkBox(false) << false;
    QTest::newRow("chosen radio button") << WidgetMaker([] {
        auto *radio = new QRadioButton(u"DX"_qs);
        radio->setChecked(true);
        return radio;
    }) << true;
    QTest::newRow("group box title") << WidgetMaker([] { return new QGroupBox(u" 練習モード "_qs); }) << true;
    QTest::newRow("selected tab") << WidgetMaker([] {
        auto *tabs = new QTabWidget;
        tabs->setTabPosition(QTabWidget::South);
        tabs->addTab(new QWidget, u"Call Sign 受信"_qs);
        tabs->addTab(new QWidget, u"平文受信"_qs);
        return tabs;
    }) << true;
}

void TestSpCode::accentsAreGold()
{
    QFETCH(WidgetMaker, make);
    QFETCH(bool, gilded);
    std::unique_ptr<QWidget> widget(make());
    widget->resize(widget->sizeHint().expandedTo(QSize(120, 60)));
    const int gold = goldPixels(widget->grab().toImage());
    QVERIFY2(gilded ? gold >= 4 : gold == 0, qPrintable(u"%1 gold pixels"_qs.arg(gold)));
}

void TestSpCode::fontsResolveToInstalledFaces_data()
{
    QTest::addColumn<UiFace>("face");
    QTest::addColumn<int>("pixelHeight");
    QTest::addColumn<bool>("bold");
    QTest::newRow("memo") << UiFace::MsGothic << 15 << false;
    QTest::newRow("ticker") << UiFace::MsGothic << 16 << true;
    QTest::newRow("call-sign input") << UiFace::MeiryoUi << 24 << true;
    QTest::newRow("tab caption") << UiFace::MsUiGothic << 16 << false;
}

void TestSpCode::fontsResolveToInstalledFaces()
{
    QFETCH(UiFace, face);
    QFETCH(int, pixelHeight);
    QFETCH(bool, bold);
    const QFont font = uiFont(face, pixelHeight, bold);
    const QFontInfo info(font);
    QCOMPARE(info.family(), uiFamily(face));
    QCOMPARE(info.pixelSize(), pixelHeight);
    QCOMPARE(info.bold(), bold);
    if (face == UiFace::MsGothic) {
        // The ticker lines Latin and kana up in columns: a kana is two Latin cells.
        const QFontMetricsF metrics(font);
        const qreal cell = metrics.horizontalAdvance(u"A"_qs);
        QCOMPARE(metrics.horizontalAdvance(u"W1["_qs), 3 * cell);
        QCOMPARE(metrics.horizontalAdvance(u"ホレ"_qs), 4 * cell);
    }
}

void TestSpCode::iconMatchesInstalledPictures()
{
    QVERIFY(appIcon().availableSizes().contains(QSize(32, 32)));
    for (int size : iconSizes) {
        const QImage drawn = appIconImage(size);
        QCOMPARE(qAlpha(drawn.pixel(0, 0)), 0);
        QVERIFY(goldPixels(drawn) > size);
        // The pictures installed for the desktop must show what the window shows.
        const QImage installed = QImage(sourcePath(u"src/ui/style/icons/keylark-%1.png"_qs.arg(size)))
                                     .convertToFormat(drawn.format());
        QCOMPARE(installed.size(), drawn.size());
        int differing = 0;
        for (int i = 0; i < size * size; ++i) {
            const QRgb a = drawn.pixel(i % size, i / size), b = installed.pixel(i % size, i / size);
            differing += std::abs(qGray(a) - qGray(b)) + std::abs(qAlpha(a) - qAlpha(b)) > 16;
        }
        QVERIFY2(differing <= size / 8, qPrintable(u"%1 pixels differ: rerun writeArtwork"_qs.arg(differing)));
    }
}

QTEST_MAIN(TestSpCode)
#include "tst_spcode.moc"
