#include "calllist/CallListAddress.h"
#include "calllist/CallListTexts.h"
#include "calllist/CallSignListReader.h"
#include "fakes/ScriptedHttpClient.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <QTest>

Q_DECLARE_METATYPE(CallSignFilter)

namespace {

struct Page {
    QByteArray bytes;
    QStringList calls;
};

// A page of exactly size bytes whose rows are cut at odd places by chunks.
Page makePage(int size)
{
    Page page;
    page.bytes = "<html><body><table>\n";
    for (int i = 0;; ++i) {
        const QByteArray call = (i % 3 == 0 ? "JA" : "W") + QByteArray::number(i % 10) + "X"
                                + QByteArray(1, char('A' + i % 26)) + QByteArray(i % 4, 'Q');
        const QByteArray row = "<tr><td><a href=\"" + call.toLower() + ".log\">" + call + "</a></td></tr>\n";
        if (page.bytes.size() + row.size() > size - 8)
            break;
        page.bytes += row;
        page.calls << QString::fromLatin1(call);
    }
    page.bytes += QByteArray(size - page.bytes.size() - 8, ' ') + "</table>";
    return page;
}

QByteArray row()
{
    return "<tr><td><a href=\"w1aw.log\">W1AW</a></td></tr>\n";
}

QStringList onlyCallSignsOf(const QSignalSpy &spy)
{
    return spy.size() == 1 ? spy.at(0).at(0).toStringList() : QStringList{u"<not finished once>"_qs};
}

} // namespace

class TestCallSignListReader : public QObject
{
    Q_OBJECT

private slots:
    void chunksMakeTheWholePage_data();
    void chunksMakeTheWholePage();
    void addressOfTheSelectedYear_data();
    void addressOfTheSelectedYear();
    void noYearSelectedAsksNothing_data();
    void noYearSelectedAsksNothing();
    void failedReadGivesNoList_data();
    void failedReadGivesNoList();
    void filterIsPassedToTheScan();
    void secondStartWhileRunningIsRefused();
    void nextReadStartsFromAnEmptyPage();
    void abortStopsTheTransferSilently();
    void dataOrEndArrivingAfterAbortIsIgnored();
    void queuedEndOfAnAbandonedReadDoesNotEndTheNextOne();
};

void TestCallSignListReader::chunksMakeTheWholePage_data()
{
    QTest::addColumn<QList<int>>("sizes");
    QTest::newRow("1024, 300, 1024, 17") << QList<int>{1024, 300, 1024, 17};
    QTest::newRow("one piece") << QList<int>{2365};
    QTest::newRow("single bytes at the start") << QList<int>{1, 1, 1, 1, 1, 1, 1, 2358};
}

void TestCallSignListReader::chunksMakeTheWholePage()
{
    QFETCH(QList<int>, sizes);
    const Page page = makePage(2365);
    QCOMPARE(page.bytes.size(), 2365);
    QVERIFY(page.calls.size() > 40);

    ScriptedHttpClient *client = new ScriptedHttpClient;
    CallSignListReader reader(client);
    QSignalSpy progress(&reader, &CallSignListReader::progress);
    QSignalSpy finished(&reader, &CallSignListReader::finished);
    QVERIFY(reader.start(0, CallSignFilter::DX));

    qsizetype offset = 0;
    QList<qint64> expectedProgress;
    for (const int size : sizes) {
        client->deliver(page.bytes.mid(offset, size));
        offset += size;
        expectedProgress << offset;
    }
    QCOMPARE(offset, page.bytes.size());
    QCOMPARE(finished.size(), 0);
    client->finish();

    QList<qint64> reported;
    for (const auto &args : progress)
        reported << args.at(0).toLongLong();
    QCOMPARE(reported, expectedProgress);
    QCOMPARE(onlyCallSignsOf(finished), page.calls);
    QVERIFY(!reader.isRunning());
}

void TestCallSignListReader::addressOfTheSelectedYear_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("address");
    QTest::newRow("2017") << callListIndexOfYear(2017) << u"http://www.cqww.com/publiclogs/2017cw/"_qs;
    QTest::newRow("oldest") << callListYearCount() - 1 << u"http://www.cqww.com/publiclogs/2009cw/"_qs;
}

void TestCallSignListReader::addressOfTheSelectedYear()
{
    QFETCH(int, index);
    QFETCH(QString, address);
    ScriptedHttpClient *client = new ScriptedHttpClient;
    CallSignListReader reader(client);
    QVERIFY(reader.start(index, CallSignFilter::DX));
    QCOMPARE(client->requests, QStringList{address});
}

void TestCallSignListReader::noYearSelectedAsksNothing_data()
{
    QTest::addColumn<int>("index");
    QTest::newRow("none selected") << -1;
    QTest::newRow("past the last year") << callListYearCount();
}

void TestCallSignListReader::noYearSelectedAsksNothing()
{
    QFETCH(int, index);
    ScriptedHttpClient *client = new ScriptedHttpClient;
    CallSignListReader reader(client);
    QSignalSpy finished(&reader, &CallSignListReader::finished);
    QVERIFY(reader.start(index, CallSignFilter::DX));
    QVERIFY(client->requests.isEmpty());
    // The caller's own steps come first.
    QCOMPARE(finished.size(), 0);
    QVERIFY(reader.isRunning());
    QCoreApplication::processEvents();
    QCOMPARE(onlyCallSignsOf(finished), QStringList{});
    QVERIFY(!reader.isRunning());
}

void TestCallSignListReader::failedReadGivesNoList_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("arrived");
    QTest::addColumn<QString>("reason");
    QTest::newRow("404 with an error page") << int(HttpFailure::ErrorStatus) << 404 << 300
                                            << u"HTTP エラー 404"_qs;
    QTest::newRow("proxy refused") << int(HttpFailure::Unreachable) << 0 << 0
                                   << u"プロキシまたはサーバーに接続できません"_qs;
    QTest::newRow("no answer") << int(HttpFailure::NoAnswer) << 30 << 0 << u"30 秒間応答がありません"_qs;
    QTest::newRow("transfer limit") << int(HttpFailure::TooSlow) << 180 << 1024
                                    << u"180 秒たっても読み込みが終わりません"_qs;
    QTest::newRow("too large") << int(HttpFailure::TooLarge) << 0 << 2365 << u"データが大きすぎます"_qs;
    QTest::newRow("broken off midway") << int(HttpFailure::Interrupted) << 0 << 1024
                                       << u"読み込みの途中で接続が切れました"_qs;
}

// A failed read must not pass for a list, not even the part that arrived.
void TestCallSignListReader::failedReadGivesNoList()
{
    QFETCH(int, kind);
    QFETCH(int, value);
    QFETCH(int, arrived);
    QFETCH(QString, reason);
    const Page page = makePage(2365);
    ScriptedHttpClient *client = new ScriptedHttpClient;
    CallSignListReader reader(client);
    QSignalSpy finished(&reader, &CallSignListReader::finished);
    QSignalSpy failed(&reader, &CallSignListReader::failed);
    QVERIFY(reader.start(3, CallSignFilter::DX));
    if (arrived > 0)
        client->deliver(page.bytes.left(arrived));
    client->finish(HttpFailure{HttpFailure::Kind(kind), value, u"detail"_qs});
    QCOMPARE(finished.size(), 0);
    QCOMPARE(failed.size(), 1);
    QCOMPARE(failed.at(0).at(0).toString(), reason);
    // A connection never made is told as what it most often is: a cause on
    // this side; the others may well be the web site's.
    if (kind == int(HttpFailure::Unreachable))
        QCOMPARE(callListFailedText(reason),
                 reason + u"。\r\n\r\nネットワークへの接続とプロキシの設定を確かめてから、やり直して下さい。"_qs);
    else
        QCOMPARE(callListFailedText(reason),
                 u"ウェブサイトがメンテ中かもしれません。\r\n\r\nしばらくしてからやり直して下さい。\r\n\r\n（"_qs
                     + reason + u"）"_qs);
    QVERIFY(!reader.isRunning());

    // The next read that succeeds is a list again.
    QVERIFY(reader.start(0, CallSignFilter::DX));
    client->deliver(row());
    client->finish();
    QCOMPARE(onlyCallSignsOf(finished), QStringList{u"W1AW"_qs});
    QCOMPARE(failed.size(), 1);
}

void TestCallSignListReader::filterIsPassedToTheScan()
{
    const Page page = makePage(2365);
    QStringList japanese;
    for (const QString &call : page.calls) {
        if (call.startsWith(u"JA"_qs))
            japanese << call;
    }
    QVERIFY(!japanese.isEmpty());
    QVERIFY(japanese.size() < page.calls.size());

    ScriptedHttpClient *client = new ScriptedHttpClient;
    CallSignListReader reader(client);
    QSignalSpy finished(&reader, &CallSignListReader::finished);
    QVERIFY(reader.start(0, CallSignFilter::JA));
    client->deliver(page.bytes);
    client->finish();
    QCOMPARE(onlyCallSignsOf(finished), japanese);
}

void TestCallSignListReader::secondStartWhileRunningIsRefused()
{
    ScriptedHttpClient *client = new ScriptedHttpClient;
    CallSignListReader reader(client);
    QSignalSpy finished(&reader, &CallSignListReader::finished);
    QVERIFY(reader.start(0, CallSignFilter::DX));
    client->deliver(row());
    QVERIFY(!reader.start(1, CallSignFilter::JA));
    QVERIFY(!reader.start(-1, CallSignFilter::DX));
    QCOMPARE(client->requests.size(), 1);
    QCOMPARE(client->aborts, 0);
    client->finish();
    // The first read's filter and page stand.
    QCOMPARE(onlyCallSignsOf(finished), QStringList{u"W1AW"_qs});
    QCoreApplication::processEvents();
    QCOMPARE(finished.size(), 1);
}

void TestCallSignListReader::nextReadStartsFromAnEmptyPage()
{
    ScriptedHttpClient *client = new ScriptedHttpClient;
    CallSignListReader reader(client);
    QSignalSpy finished(&reader, &CallSignListReader::finished);
    QSignalSpy progress(&reader, &CallSignListReader::progress);

    QVERIFY(reader.start(0, CallSignFilter::DX));
    // An anchor left open at the end of the first page must not swallow the
    // start of the second.
    client->deliver(row() + "<a href=\"z.log\">DL0");
    client->finish();
    QCOMPARE(finished.size(), 1);

    QVERIFY(reader.start(1, CallSignFilter::DX));
    const QByteArray second = "<tr><td><a href=\"k1zz.log\">K1ZZ</a></td></tr>";
    client->deliver(second);
    client->finish();
    QCOMPARE(finished.size(), 2);
    QCOMPARE(finished.at(1).at(0).toStringList(), QStringList{u"K1ZZ"_qs});
    QCOMPARE(progress.last().at(0).toLongLong(), second.size());
}

void TestCallSignListReader::abortStopsTheTransferSilently()
{
    ScriptedHttpClient *client = new ScriptedHttpClient;
    CallSignListReader reader(client);
    QSignalSpy finished(&reader, &CallSignListReader::finished);
    QVERIFY(reader.start(0, CallSignFilter::DX));
    client->deliver(row());
    reader.abort();
    QCOMPARE(client->aborts, 1);
    QVERIFY(!client->isRunning());
    QVERIFY(!reader.isRunning());

    // An empty read cancelled before its queued end must stay silent too.
    QVERIFY(reader.start(-1, CallSignFilter::DX));
    reader.abort();
    QCoreApplication::processEvents();
    QCOMPARE(finished.size(), 0);

    QVERIFY(reader.start(2, CallSignFilter::DX));
    client->finish();
    QCOMPARE(onlyCallSignsOf(finished), QStringList{});
}

void TestCallSignListReader::dataOrEndArrivingAfterAbortIsIgnored()
{
    ScriptedHttpClient *client = new ScriptedHttpClient;
    CallSignListReader reader(client);
    QSignalSpy finished(&reader, &CallSignListReader::finished);
    QSignalSpy progress(&reader, &CallSignListReader::progress);
    QVERIFY(reader.start(0, CallSignFilter::DX));
    client->deliver(row());
    reader.abort();
    client->deliverLate(row());
    client->finishLate();
    QCOMPARE(progress.size(), 1);
    QCOMPARE(finished.size(), 0);
    QVERIFY(!reader.isRunning());

    // The next read is all its own.
    QVERIFY(reader.start(1, CallSignFilter::DX));
    const QByteArray second = "<a href=\"k1zz.log\">K1ZZ</a>";
    client->deliver(second);
    client->finish();
    QCOMPARE(onlyCallSignsOf(finished), QStringList{u"K1ZZ"_qs});
    QCOMPARE(progress.last().at(0).toLongLong(), second.size());
}

void TestCallSignListReader::queuedEndOfAnAbandonedReadDoesNotEndTheNextOne()
{
    ScriptedHttpClient *client = new ScriptedHttpClient;
    CallSignListReader reader(client);
    QSignalSpy finished(&reader, &CallSignListReader::finished);
    QVERIFY(reader.start(-1, CallSignFilter::DX));  // its empty end is queued
    reader.abort();
    QVERIFY(reader.start(0, CallSignFilter::DX));   // a real read, started before that end comes
    QCoreApplication::processEvents();
    QCOMPARE(finished.size(), 0);
    QVERIFY(reader.isRunning());
    client->deliver(row());
    client->finish();
    QCOMPARE(onlyCallSignsOf(finished), QStringList{u"W1AW"_qs});
}

QTEST_GUILESS_MAIN(TestCallSignListReader)
#include "tst_callsignlistreader.moc"
