#include "calllist/CallListAddress.h"
#include "calllist/CallListTexts.h"
#include "callsign/CallSignScan.h"

#include <QTest>

#include <set>

Q_DECLARE_METATYPE(CallSignFilter)

namespace {

// One log row as the index pages write them.
QByteArray row(const QByteArray &linkText)
{
    return "<tr><td><a href=\"x.log\">" + linkText + "</a></td><td>2017-11-27</td></tr>\n";
}

} // namespace

class TestCallSignScan : public QObject
{
    Q_OBJECT

private slots:
    void posFrom_data();
    void posFrom();
    void isCallSign_data();
    void isCallSign();
    void japanesePrefixesAreExactlyThe27();
    void scan_data();
    void scan();
    void skippedAnchorText_data();
    void skippedAnchorText();
    void yearsOfADay_data();
    void yearsOfADay();
    void yearTable_data();
    void yearTable();
    void countAndProgressTexts();
};

void TestCallSignScan::posFrom_data()
{
    QTest::addColumn<QByteArray>("sub");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("position");

    const QByteArray text = "xxabcxabc";
    QTest::newRow("whole text, start 0") << QByteArray("abc") << text << 0 << 3;
    QTest::newRow("whole text, negative start") << QByteArray("abc") << text << -5 << 3;
    QTest::newRow("start 1 searches from byte 2") << QByteArray("abc") << text << 1 << 3;
    QTest::newRow("match right after start") << QByteArray("abc") << text << 2 << 3;
    QTest::newRow("match at start is passed over") << QByteArray("abc") << text << 3 << 7;
    QTest::newRow("last match at start") << QByteArray("abc") << text << 7 << 0;
    QTest::newRow("start at last byte") << QByteArray("abc") << text << 9 << 0;
    QTest::newRow("start past the end") << QByteArray("abc") << text << 100 << 0;
    QTest::newRow("match at byte 1, start 1") << QByteArray("ab") << QByteArray("abxx") << 1 << 0;
    QTest::newRow("match at byte 1, start 0") << QByteArray("ab") << QByteArray("abxx") << 0 << 1;
    QTest::newRow("match reaching the last byte") << QByteArray("xx") << QByteArray("abxx") << 1 << 3;
    QTest::newRow("match cut by the end") << QByteArray("xxy") << QByteArray("abxx") << 1 << 0;
    QTest::newRow("case matters") << QByteArray(".log") << QByteArray("a.LOG") << 0 << 0;
    QTest::newRow("empty sub, start 0") << QByteArray() << text << 0 << 0;
    QTest::newRow("empty sub, start 1") << QByteArray() << text << 1 << 0;
    QTest::newRow("empty text") << QByteArray("a") << QByteArray() << 0 << 0;
    QTest::newRow("zero byte ends the search") << QByteArray("abc") << QByteArray("x\0abc", 5) << 1 << 0;
    QTest::newRow("zero byte before the match") << QByteArray("abc") << QByteArray("xxab\0c abc", 10) << 1 << 0;
    QTest::newRow("zero byte as the first byte of the match") << QByteArray("\0bc", 3) << QByteArray("xx\0bc", 5) << 1 << 0;
    QTest::newRow("zero byte inside the match") << QByteArray("a\0c", 3) << QByteArray("xxa\0c", 5) << 1 << 0;
    QTest::newRow("zero byte as the last byte of the match") << QByteArray("ab\0", 3) << QByteArray("xxab\0", 5) << 1 << 0;
    QTest::newRow("zero byte right after the match") << QByteArray("abc") << QByteArray("xxabc\0", 6) << 1 << 3;
    QTest::newRow("zero byte before start is not seen") << QByteArray("abc") << QByteArray("a\0xabc", 6) << 2 << 4;
    QTest::newRow("start 0 searches past zero bytes") << QByteArray("abc") << QByteArray("x\0abc", 5) << 0 << 3;
    QTest::newRow("high bytes are single characters") << QByteArray("\x82\xa0") << QByteArray("\x82\x82\xa0") << 1 << 2;
}

void TestCallSignScan::posFrom()
{
    QFETCH(QByteArray, sub);
    QFETCH(QByteArray, text);
    QFETCH(int, start);
    QFETCH(int, position);
    QCOMPARE(PosFrom(sub, text, start), position);
}

void TestCallSignScan::isCallSign_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("passes");

    QTest::newRow("empty") << QString() << true;
    QTest::newRow("plain") << u"JA1ABC"_qs << true;
    QTest::newRow("portable") << u"KH6/JA1ABC"_qs << true;
    QTest::newRow("every digit") << u"0123456789"_qs << true;
    QTest::newRow("every letter") << u"ABCDEFGHIJKLMNOPQRSTUVWXYZ"_qs << true;
    // The characters next to each range of the set.
    const char16_t neighbours[] = {u'.', u':', u'@', u'[', u'`', u'a', u'z', u'{'};
    for (const char16_t c : neighbours)
        QTest::addRow("U+%04X", unsigned(c)) << QStringLiteral("JA1") + QChar(c) << false;
    QTest::newRow("space") << u"JA1 ABC"_qs << false;
    QTest::newRow("hyphen") << u"JA1-ABC"_qs << false;
    QTest::newRow("underscore") << u"JA1_ABC"_qs << false;
    QTest::newRow("Latin-1 letter") << u"JA1\u00C4BC"_qs << false;
    QTest::newRow("full-width letter") << u"\uFF2AA1ABC"_qs << false;
    QTest::newRow("kana") << u"JA1\u3042"_qs << false;
}

void TestCallSignScan::isCallSign()
{
    QFETCH(QString, text);
    QFETCH(bool, passes);
    QCOMPARE(IsCallSign(text), passes);
}

void TestCallSignScan::japanesePrefixesAreExactlyThe27()
{
    const QString set = u"/0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ"_qs;
    std::set<QString> found;
    for (const QChar first : set) {
        for (const QChar second : set) {
            const QString prefix = QString(first) + second;
            if (hasJapanesePrefix(prefix)) {
                found.insert(prefix);
                QVERIFY(hasJapanesePrefix(prefix + u"1ABC"_qs));
            }
        }
    }
    const std::set<QString> expected = {
        u"JA"_qs, u"JD"_qs, u"JE"_qs, u"JF"_qs, u"JG"_qs, u"JH"_qs, u"JI"_qs, u"JJ"_qs, u"JK"_qs,
        u"JL"_qs, u"JM"_qs, u"JN"_qs, u"JO"_qs, u"JP"_qs, u"JQ"_qs, u"JR"_qs, u"JS"_qs,
        u"7J"_qs, u"7K"_qs, u"7L"_qs, u"7M"_qs, u"7N"_qs,
        u"8J"_qs, u"8K"_qs, u"8L"_qs, u"8M"_qs, u"8N"_qs};
    QCOMPARE(found.size(), size_t(27));
    QVERIFY(found == expected);
    QVERIFY(!hasJapanesePrefix(u"J"_qs));
    QVERIFY(!hasJapanesePrefix(QString()));
}

void TestCallSignScan::scan_data()
{
    QTest::addColumn<QByteArray>("page");
    QTest::addColumn<CallSignFilter>("filter");
    QTest::addColumn<QStringList>("calls");

    const QByteArray head = "<html><body><table>\n";
    QTest::newRow("page order and duplicates")
        << head + row("W1AW") + row("JA1ABC") + row("DL0XX") + row("JA1ABC") << CallSignFilter::DX
        << QStringList{u"W1AW"_qs, u"JA1ABC"_qs, u"DL0XX"_qs, u"JA1ABC"_qs};
    QTest::newRow("lower case is upper-cased")
        << head + row("ja1abc") + row("Dl1xYz") << CallSignFilter::DX
        << QStringList{u"JA1ABC"_qs, u"DL1XYZ"_qs};
    QTest::newRow("slash inside")
        << head + row("KH6/JA1ABC") + row("ja1abc/1") << CallSignFilter::DX
        << QStringList{u"KH6/JA1ABC"_qs, u"JA1ABC/1"_qs};

    QByteArray mixed = head;
    const char *const kept[] = {"JA1AAA", "JD1BBB", "JE2CC", "JF3DD", "JG4EE", "JH5FF", "JI6GG",
                                "JJ7HH", "JK8II", "JL9JJ", "JM0KK", "JN1LL", "JO2MM", "JP3NN",
                                "JQ4OO", "JR5PP", "JS6QQ", "7J1RR", "7K2SS", "7L3TT", "7M4UU",
                                "7N5VV", "8J1WW", "8K2XX", "8L3YY", "8M4ZZ", "8N5AB"};
    const char *const dropped[] = {"JB1ABC", "JC2ABC", "J", "7", "8", "7I1AB", "7O1AB", "8I1AB",
                                   "8O1AB", "JT1AB", "W1AW", "KH6/JA1ABC"};
    QStringList all;
    QStringList japanese;
    for (const char *call : kept) {
        mixed += row(call);
        all << QString::fromLatin1(call);
        japanese << QString::fromLatin1(call);
    }
    for (const char *call : dropped) {
        mixed += row(call);
        all << QString::fromLatin1(call);
    }
    QTest::newRow("JA keeps the Japanese prefixes") << mixed << CallSignFilter::JA << japanese;
    QTest::newRow("DX keeps everything") << mixed << CallSignFilter::DX << all;

    QTest::newRow("empty anchor text, DX") << head + row("") + row("W1AW") << CallSignFilter::DX
                                           << QStringList{QString(), u"W1AW"_qs};
    QTest::newRow("empty anchor text, JA") << head + row("") + row("JA1ABC") << CallSignFilter::JA
                                           << QStringList{u"JA1ABC"_qs};
    QTest::newRow("no end marker after the last anchor")
        << head + row("W1AW") + "<a href=\"y.log\">JA1ABC" << CallSignFilter::DX
        << QStringList{u"W1AW"_qs, QString()};
    QTest::newRow("several anchors with no end marker")
        << QByteArray("x.log\">A.log\">B.log\">C") << CallSignFilter::DX
        << QStringList{QString(), QString(), QString()};
    QTest::newRow("anchor marker at byte 1 is not found")
        << QByteArray(".log\">W1AW</a>") << CallSignFilter::DX << QStringList{};
    QTest::newRow("anchor marker at byte 2 is found")
        << QByteArray("x.log\">W1AW</a>") << CallSignFilter::DX << QStringList{u"W1AW"_qs};
    QTest::newRow("anchor marker inside anchor text")
        << QByteArray("<a href=\"a.log\">x<a href=\"b.log\">JA1ABC</a> <a href=\"c.log\">W1AW</a>")
        << CallSignFilter::DX << QStringList{u"JA1ABC"_qs, u"W1AW"_qs};
    QTest::newRow("anchor marker in plain text")
        << QByteArray("see old.log\">JA1ABC</a>") << CallSignFilter::DX << QStringList{u"JA1ABC"_qs};
    QTest::newRow("capital .LOG is no anchor")
        << head + "<a href=\"x.LOG\">W1AW</a>" + row("JA1ABC") << CallSignFilter::DX
        << QStringList{u"JA1ABC"_qs};
    QTest::newRow("a zero byte ends the page")
        << head + row("W1AW") + QByteArray(1, '\0') + row("JA1ABC") << CallSignFilter::DX
        << QStringList{u"W1AW"_qs};
    QTest::newRow("no anchors") << QByteArray("<html><h1>404 Not Found</h1></html>") << CallSignFilter::DX
                                << QStringList{};
    QTest::newRow("empty page") << QByteArray() << CallSignFilter::DX << QStringList{};
}

void TestCallSignScan::scan()
{
    QFETCH(QByteArray, page);
    QFETCH(CallSignFilter, filter);
    QFETCH(QStringList, calls);
    QCOMPARE(scanCallSigns(page, filter), calls);
}

// Each bad anchor stands between two good ones: it must be skipped and the
// scan must go on after it.
void TestCallSignScan::skippedAnchorText_data()
{
    QTest::addColumn<QByteArray>("bad");

    QTest::newRow("space before") << row(" JA1ABC");
    QTest::newRow("space after") << row("JA1ABC ");
    QTest::newRow("hyphen") << row("JA1-ABC");
    QTest::newRow("underscore") << row("JA1_ABC");
    QTest::newRow("full stop") << row("JA1.ABC");
    QTest::newRow("Latin-1 letter") << row("JA1\xC4" "BC");
    QTest::newRow("UTF-8 kana") << row("JA1\xE3\x81\x82");
    QTest::newRow("nested bold tag") << row("<b>JA1ABC</b>");
    QTest::newRow("closing tag in capitals") << QByteArray("<tr><td><a href=\"x.log\">JA1ABC</A></td></tr>\n");
}

void TestCallSignScan::skippedAnchorText()
{
    QFETCH(QByteArray, bad);
    const QByteArray page = "<table>\n" + row("W1AW") + bad + row("DL0XX");
    const QStringList expected{u"W1AW"_qs, u"DL0XX"_qs};
    QCOMPARE(scanCallSigns(page, CallSignFilter::DX), expected);
}

void TestCallSignScan::yearsOfADay_data()
{
    QTest::addColumn<QDate>("today");
    QTest::addColumn<int>("newest");

    QTest::newRow("December") << QDate(2026, 12, 9) << 2025;
    QTest::newRow("New Year's Day") << QDate(2027, 1, 1) << 2026;
    QTest::newRow("New Year's Eve") << QDate(2026, 12, 31) << 2025;
    QTest::newRow("first year after the known ones") << QDate(2018, 1, 1) << 2017;
    QTest::newRow("far ahead") << QDate(2100, 6, 1) << 2099;
    QTest::newRow("clock set back") << QDate(2003, 5, 5) << 2017;
    QTest::newRow("no date") << QDate() << 2017;
}

void TestCallSignScan::yearsOfADay()
{
    QFETCH(QDate, today);
    QFETCH(int, newest);
    const QList<int> years = callListYears(today);
    QCOMPARE(years.size(), newest - 2009 + 1);
    for (qsizetype i = 0; i < years.size(); ++i)
        QCOMPARE(years.at(i), newest - int(i));
}

void TestCallSignScan::yearTable_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("address");

    // The run's list comes from the clock; its ends are known from the date.
    const int newest = QDate::currentDate().year() - 1;
    const int count = newest - 2009 + 1;
    QTest::newRow("none selected") << -1 << QString() << QString();
    QTest::newRow("newest first") << 0 << QStringLiteral("%1 CQ WW DX CW").arg(newest)
                                  << QStringLiteral("http://www.cqww.com/publiclogs/%1cw/").arg(newest);
    QTest::newRow("2017") << newest - 2017 << u"2017 CQ WW DX CW"_qs << u"http://www.cqww.com/publiclogs/2017cw/"_qs;
    QTest::newRow("oldest last") << count - 1 << u"2009 CQ WW DX CW"_qs
                                 << u"http://www.cqww.com/publiclogs/2009cw/"_qs;
    QTest::newRow("past the last") << count << QString() << QString();
}

void TestCallSignScan::yearTable()
{
    QFETCH(int, index);
    QFETCH(QString, entry);
    QFETCH(QString, address);
    QCOMPARE(callListYears(), callListYears(QDate::currentDate()));
    QCOMPARE(callListEntryText(index), entry);
    QCOMPARE(callListAddress(index), address);
    QCOMPARE(QStringLiteral("http://") + callListHost() + callListPath(index),
             address.isEmpty() ? u"http://www.cqww.com"_qs : address);
    const int year = callListYearAt(index);
    QCOMPARE(year == 0, entry.isEmpty());
    if (year)
        QCOMPARE(callListIndexOfYear(year), index);
}

void TestCallSignScan::countAndProgressTexts()
{
    QCOMPARE(callListCountText(0), u"CQ World Wide DX Contest : 0局"_qs);
    QCOMPARE(callListCountText(12345), u"CQ World Wide DX Contest : 12345局"_qs);
    QCOMPARE(callListProgressText(0), u"読込中... 0 KB"_qs);
    QCOMPARE(callListProgressText(1024 * 1024 - 1), u"読込中... 1023 KB"_qs);
    QCOMPARE(callListProgressText(1024 * 1024), u"読込中... 1.0 MB"_qs);
    QCOMPARE(callListProgressText(qint64(32) * 1024 * 1024), u"読込中... 32.0 MB"_qs);
}

QTEST_APPLESS_MAIN(TestCallSignScan)
#include "tst_callsignscan.moc"
