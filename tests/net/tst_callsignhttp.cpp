// The real HTTP client and the list reader against a local fixture server that
// is reached as the proxy named by http_proxy, as a user's proxy would be.
#include "TestPaths.h"
#include "calllist/CallSignListReader.h"
#include "calllist/CallListAddress.h"
#include "net/QtHttpClient.h"

#include <QElapsedTimer>
#include <QFile>
#include <QNetworkProxyFactory>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTest>
#include <QTimer>

using namespace std::chrono_literals;

Q_DECLARE_METATYPE(CallSignFilter)

namespace {

constexpr int cutBytes = 12000;
constexpr int stallSeconds = 8;
constexpr int repeats = 100;

enum Year { Page2017 = 2017, NotFound2016 = 2016, Closed2015 = 2015, Silent2014 = 2014, Moved2013 = 2013,
            Huge2012 = 2012, Stalled2011 = 2011 };

struct Outcome {
    QStringList calls;
    QStringList failures;   // the reader's reasons
    qint64 lastProgress = 0;
    qint64 elapsedMs = 0;
    int ticks = 0;
};

} // namespace

class TestCallSignHttp : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void wholePage_data();
    void wholePage();
    void failedReads_data();
    void failedReads();
    void refusedConnectionGivesNoList();

private:
    QString newRequests();
    void useProxyPort(quint16 port);
    Outcome read(int year, CallSignFilter filter, std::chrono::milliseconds idleLimit = 10s,
                 qint64 maxBodySize = QtHttpClient::defaultMaxBodySize);

    QProcess m_server;
    QString m_serverLog;
    QByteArray m_page;
};

void TestCallSignHttp::initTestCase()
{
    const QString python = QStandardPaths::findExecutable(u"python3"_qs);
    if (python.isEmpty())
        QSKIP("python3 is needed for the fixture server");
    const QString dataDir = QStringLiteral(KEYLARK_TEST_DATA_DIR);
    QFile page(dataDir + u"/callsign/index_fixture.html"_qs);
    QVERIFY(page.open(QIODevice::ReadOnly));
    m_page = page.readAll();

    m_server.setProgram(python);
    m_server.setArguments({dataDir + u"/../integration/callsign_fixture_server.py"_qs,
                           u"--page"_qs, page.fileName(),
                           u"--cut"_qs, QString::number(cutBytes),
                           u"--stall"_qs, QString::number(stallSeconds),
                           u"--repeat"_qs, QString::number(repeats)});
    m_server.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_server.start();
    QVERIFY2(m_server.waitForStarted(10000), qPrintable(m_server.errorString()));
    while (!m_server.canReadLine())
        QVERIFY2(m_server.waitForReadyRead(10000), "the fixture server did not tell its port");
    const QByteArray first = m_server.readLine().trimmed();
    QVERIFY2(first.startsWith("PORT "), first.constData());
    const int port = first.mid(5).toInt();
    QVERIFY(port > 0 && port < 65536);
    useProxyPort(quint16(port));
}

void TestCallSignHttp::cleanupTestCase()
{
    if (m_server.state() == QProcess::NotRunning)
        return;
    m_server.terminate();
    if (!m_server.waitForFinished(5000)) {
        m_server.kill();
        m_server.waitForFinished(5000);
    }
    QCOMPARE(m_server.state(), QProcess::NotRunning);
}

// Sends every request of this process to 127.0.0.1:port, and makes sure that it
// really will before anything is fetched: a request that went past the proxy
// would go to the real web server.
void TestCallSignHttp::useProxyPort(quint16 port)
{
    const QByteArray proxy = "http://127.0.0.1:" + QByteArray::number(port);
    qputenv("http_proxy", proxy);
    qputenv("HTTP_PROXY", proxy);
    qunsetenv("no_proxy");
    qunsetenv("NO_PROXY");
    for (int index = 0; index < callListYearCount(); ++index) {
        const QList<QNetworkProxy> proxies =
            QNetworkProxyFactory::systemProxyForQuery(QNetworkProxyQuery(QUrl(callListAddress(index))));
        QVERIFY(!proxies.isEmpty());
        QCOMPARE(proxies.first().type(), QNetworkProxy::HttpProxy);
        QCOMPARE(proxies.first().hostName(), u"127.0.0.1"_qs);
        QCOMPARE(proxies.first().port(), port);
    }
}

QString TestCallSignHttp::newRequests()
{
    m_serverLog += QString::fromUtf8(m_server.readAllStandardOutput());
    const QString log = m_serverLog;
    m_serverLog.clear();
    return log;
}

Outcome TestCallSignHttp::read(int year, CallSignFilter filter, std::chrono::milliseconds idleLimit,
                               qint64 maxBodySize)
{
    Outcome outcome;
    auto *client = new QtHttpClient;
    client->setIdleLimit(idleLimit);
    client->setMaxBodySize(maxBodySize);
    CallSignListReader reader(client);
    QSignalSpy finished(&reader, &CallSignListReader::finished);
    QSignalSpy failed(&reader, &CallSignListReader::failed);
    connect(&reader, &CallSignListReader::progress, this,
            [&outcome](qint64 bytes) { outcome.lastProgress = bytes; });
    // Counts turns of the event loop while the page is fetched.
    QTimer ticker;
    ticker.setInterval(50);
    connect(&ticker, &QTimer::timeout, this, [&outcome] { ++outcome.ticks; });
    ticker.start();
    QElapsedTimer clock;
    clock.start();
    newRequests();
    const auto ended = [&] { return finished.size() + failed.size(); };
    if (!reader.start(callListIndexOfYear(year), filter) || !QTest::qWaitFor([&] { return ended() > 0; }, 30000)
        || ended() != 1) {
        outcome.calls << u"<no end>"_qs;
        return outcome;
    }
    outcome.elapsedMs = clock.elapsed();
    if (!finished.isEmpty())
        outcome.calls = finished.at(0).at(0).toStringList();
    for (const auto &args : failed)
        outcome.failures << args.at(0).toString();
    return outcome;
}

void TestCallSignHttp::wholePage_data()
{
    QTest::addColumn<int>("year");
    QTest::addColumn<CallSignFilter>("filter");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");
    QTest::addColumn<QStringList>("requests");

    const QString page = u"http://www.cqww.com/publiclogs/2017cw/"_qs;
    QTest::newRow("DX") << int(Page2017) << CallSignFilter::DX << 320 << u"7J8LHE"_qs << u"EA1KH"_qs
                        << QStringList{page};
    QTest::newRow("JA") << int(Page2017) << CallSignFilter::JA << 57 << u"7J8LHE"_qs << u"JJ9RQ"_qs
                        << QStringList{page};
    QTest::newRow("moved") << int(Moved2013) << CallSignFilter::DX << 320 << u"7J8LHE"_qs << u"EA1KH"_qs
                           << QStringList{u"http://www.cqww.com/publiclogs/2013cw/"_qs,
                                          u"http://www.cqww.com/publiclogs/moved/"_qs};
}

void TestCallSignHttp::wholePage()
{
    QFETCH(int, year);
    QFETCH(CallSignFilter, filter);
    QFETCH(int, count);
    QFETCH(QString, first);
    QFETCH(QString, last);
    QFETCH(QStringList, requests);

    const Outcome outcome = read(year, filter);
    QCOMPARE(outcome.calls.size(), count);
    QCOMPARE(outcome.calls.first(), first);
    QCOMPARE(outcome.calls.last(), last);
    QCOMPARE(outcome.calls, scanCallSigns(m_page, filter));
    QCOMPARE(outcome.failures, QStringList{});
    QCOMPARE(outcome.lastProgress, qint64(m_page.size()));

    // Every request reached the fixture as a proxy request, asking for a fresh copy.
    QString log;
    QTRY_VERIFY((log += newRequests()).count(u"REQUEST"_qs) >= requests.size());
    for (const QString &address : requests)
        QVERIFY2(log.contains(u"REQUEST "_qs + address + u" cache-control=no-cache"_qs), qPrintable(log));
}

// A read that does not end normally gives no list, not even the part that
// arrived, and says why.
void TestCallSignHttp::failedReads_data()
{
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("idleMs");
    QTest::addColumn<qint64>("maxBody");
    QTest::addColumn<qint64>("arrived");
    QTest::addColumn<QString>("reason");
    const qint64 noLimit = QtHttpClient::defaultMaxBodySize;
    QTest::newRow("404 with an error page") << int(NotFound2016) << 10000 << noLimit << qint64(-1)
                                            << u"HTTP エラー 404"_qs;
    QTest::newRow("connection closed mid-body") << int(Closed2015) << 10000 << noLimit << qint64(cutBytes)
                                                << u"読み込みの途中で接続が切れました"_qs;
    QTest::newRow("silent from the start") << int(Silent2014) << 1500 << noLimit << qint64(0)
                                           << u"2 秒間応答がありません"_qs;
    QTest::newRow("silent after part of the body") << int(Stalled2011) << 1500 << noLimit << qint64(cutBytes)
                                                   << u"2 秒間応答がありません"_qs;
    QTest::newRow("past the size limit") << int(Huge2012) << 10000 << qint64(100000) << qint64(100000)
                                         << u"データが大きすぎます"_qs;
}

void TestCallSignHttp::failedReads()
{
    QFETCH(int, year);
    QFETCH(int, idleMs);
    QFETCH(qint64, maxBody);
    QFETCH(qint64, arrived);
    QFETCH(QString, reason);
    const Outcome outcome = read(year, CallSignFilter::DX, std::chrono::milliseconds(idleMs), maxBody);
    QCOMPARE(outcome.calls, QStringList{});
    QCOMPARE(outcome.failures, QStringList{reason});
    if (arrived >= 0)
        QCOMPARE(outcome.lastProgress, arrived);
    else
        QVERIFY(outcome.lastProgress > 0);  // the error page itself arrived
    if (idleMs < 10000) {
        QVERIFY2(outcome.elapsedMs >= idleMs - 100, qPrintable(QString::number(outcome.elapsedMs)));
        QVERIFY2(outcome.elapsedMs < (stallSeconds - 2) * 1000, qPrintable(QString::number(outcome.elapsedMs)));
        // The event loop kept turning while the client waited.
        QVERIFY2(outcome.ticks >= 10, qPrintable(QString::number(outcome.ticks)));
    }
}

void TestCallSignHttp::refusedConnectionGivesNoList()
{
    // A port that was free a moment ago: nothing listens there any more.
    QTcpServer probe;
    QVERIFY(probe.listen(QHostAddress::LocalHost));
    const quint16 closedPort = probe.serverPort();
    probe.close();
    const QByteArray saved = qgetenv("http_proxy");
    useProxyPort(closedPort);
    const Outcome outcome = read(Page2017, CallSignFilter::DX);
    useProxyPort(quint16(saved.mid(saved.lastIndexOf(':') + 1).toInt()));
    QCOMPARE(outcome.calls, QStringList{});
    QCOMPARE(outcome.failures, QStringList{u"プロキシまたはサーバーに接続できません"_qs});
}

QTEST_GUILESS_MAIN(TestCallSignHttp)
#include "tst_callsignhttp.moc"
