// https and the redirect from http to https through the proxy named by
// http_proxy: the fixture proxy answers CONNECT and ends the TLS tunnel itself
// with certificates from a test authority made for this run. The test trusts
// that authority by adding it to its own default TLS configuration; the
// program's client never turns verification off.
#include "TestPaths.h"
#include "calllist/CallListTexts.h"
#include "callsign/CallSignScan.h"
#include "net/QtHttpClient.h"
#include "net/TlsFailureText.h"
#include "integration/FixtureProcess.h"

#include <QNetworkProxyFactory>
#include <QSignalSpy>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Outcome {
    qsizetype calls = -1;
    QStringList failures;
};

const QStringList kHosts{u"www.cqww.com"_qs, u"wrongname.cqww.com"_qs, u"expired.cqww.com"_qs,
                         u"untrusted.cqww.com"_qs};

QString refusal(const QString &host, const QString &problem)
{
    return u"サーバー "_qs + host + u" の証明書を確認できないため接続を中止しました："_qs + problem;
}

} // namespace

class TestCallSignTls : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void secureRead_data();
    void secureRead();
    void failureTexts_data();
    void failureTexts();

private:
    Outcome fetch(const QString &address);

    QTemporaryDir m_certificates;
    FixtureProcess m_server;
    QSslConfiguration m_systemTls;
    QSslConfiguration m_testTls;
};

void TestCallSignTls::initTestCase()
{
    if (QStandardPaths::findExecutable(u"openssl"_qs).isEmpty())
        QSKIP("openssl is needed to make the test certificates");
    QVERIFY(QSslSocket::supportsSsl());
    const QString dataDir = QStringLiteral(KEYLARK_TEST_DATA_DIR);
    const QString integration = dataDir + u"/../integration/"_qs;
    QVERIFY(m_certificates.isValid());
    QCOMPARE(QProcess::execute(integration + u"make_test_certs.sh"_qs, {m_certificates.path()}), 0);

    const QString dir = m_certificates.path() + u'/';
    const auto tls = [&dir](const QString &host, const QString &name) {
        return QStringList{u"--tls"_qs, host + u'=' + dir + name + u".pem,"_qs + dir + name + u".key"_qs};
    };
    const QString started = m_server.start(
        integration + u"callsign_fixture_server.py"_qs,
        QStringList{u"--page"_qs, dataDir + u"/callsign/index_fixture.html"_qs}
            + tls(u"www.cqww.com"_qs, u"www"_qs) + tls(u"wrongname.cqww.com"_qs, u"www"_qs)
            + tls(u"expired.cqww.com"_qs, u"expired"_qs) + tls(u"untrusted.cqww.com"_qs, u"untrusted"_qs));
    QVERIFY2(started.isEmpty(), qPrintable(started));

    const QByteArray proxy = "http://127.0.0.1:" + QByteArray::number(m_server.port());
    qputenv("http_proxy", proxy);
    for (const char *name : {"https_proxy", "HTTPS_PROXY", "all_proxy", "ALL_PROXY", "no_proxy", "NO_PROXY"})
        qunsetenv(name);
    // Every address used here must reach the fixture, never a real server.
    for (const QString &host : kHosts) {
        for (const QString &scheme : {u"http"_qs, u"https"_qs}) {
            const QList<QNetworkProxy> proxies = QNetworkProxyFactory::systemProxyForQuery(
                QNetworkProxyQuery(QUrl(scheme + u"://"_qs + host + u"/"_qs)));
            QVERIFY(!proxies.isEmpty());
            QCOMPARE(proxies.first().type(), QNetworkProxy::HttpProxy);
            QCOMPARE(proxies.first().hostName(), u"127.0.0.1"_qs);
            QCOMPARE(proxies.first().port(), m_server.port());
        }
    }

    m_systemTls = QSslConfiguration::defaultConfiguration();
    m_testTls = m_systemTls;
    QVERIFY(m_testTls.addCaCertificates(dir + u"ca.pem"_qs));
}

Outcome TestCallSignTls::fetch(const QString &address)
{
    Outcome outcome;
    QtHttpClient client;
    QByteArray body;
    connect(&client, &HttpClient::received, this, [&body](const QByteArray &chunk) { body += chunk; });
    QSignalSpy failed(&client, &HttpClient::failed);
    QSignalSpy finished(&client, &HttpClient::finished);
    client.get(address);
    if (!finished.wait(20000))
        return outcome;
    outcome.calls = scanCallSigns(body, CallSignFilter::DX).size();
    // What the read's failure notice will say.
    for (const auto &args : failed) {
        const auto failure = args.at(0).value<HttpFailure>();
        outcome.failures << (failure.kind == HttpFailure::Insecure ? callListFailureText(failure)
                                                                    : u"not refused as insecure"_qs);
    }
    return outcome;
}

void TestCallSignTls::secureRead_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("trustTestAuthority");
    QTest::addColumn<int>("calls");
    QTest::addColumn<QString>("failure");
    QTest::addColumn<QStringList>("log");

    const QString untrusted = u"証明書の発行元が信頼されていません"_qs;
    QTest::newRow("http redirected to https")
        << u"http://www.cqww.com/publiclogs/2024cw/"_qs << true << 320 << QString()
        << QStringList{u"REQUEST http://www.cqww.com/publiclogs/2024cw/"_qs, u"CONNECT www.cqww.com:443"_qs,
                       u"REQUEST https://www.cqww.com/publiclogs/2024cw/"_qs};
    QTest::newRow("https directly")
        << u"https://www.cqww.com/publiclogs/2017cw/"_qs << true << 320 << QString()
        << QStringList{u"CONNECT www.cqww.com:443"_qs, u"REQUEST https://www.cqww.com/publiclogs/2017cw/"_qs};
    QTest::newRow("issuer signed by itself")
        << u"https://untrusted.cqww.com/publiclogs/2017cw/"_qs << true << 0
        << refusal(u"untrusted.cqww.com"_qs, untrusted) << QStringList{u"CONNECT untrusted.cqww.com:443"_qs};
    QTest::newRow("redirected to a server signed by itself")
        << u"http://www.cqww.com/publiclogs/2010cw/"_qs << true << 0 << refusal(u"untrusted.cqww.com"_qs, untrusted)
        << QStringList{u"REQUEST http://www.cqww.com/publiclogs/2010cw/"_qs, u"CONNECT untrusted.cqww.com:443"_qs};
    QTest::newRow("certificate of another server")
        << u"https://wrongname.cqww.com/publiclogs/2017cw/"_qs << true << 0
        << refusal(u"wrongname.cqww.com"_qs, u"証明書の名前がサーバー名と一致しません"_qs)
        << QStringList{u"CONNECT wrongname.cqww.com:443"_qs};
    QTest::newRow("expired")
        << u"https://expired.cqww.com/publiclogs/2017cw/"_qs << true << 0
        << refusal(u"expired.cqww.com"_qs, u"証明書の有効期限が切れています"_qs)
        << QStringList{u"CONNECT expired.cqww.com:443"_qs};
    // Only the test's own trust let the good certificate through.
    QTest::newRow("test authority not trusted")
        << u"http://www.cqww.com/publiclogs/2024cw/"_qs << false << 0 << refusal(u"www.cqww.com"_qs, untrusted)
        << QStringList{u"REQUEST http://www.cqww.com/publiclogs/2024cw/"_qs, u"CONNECT www.cqww.com:443"_qs};
}

void TestCallSignTls::secureRead()
{
    QFETCH(QString, address);
    QFETCH(bool, trustTestAuthority);
    QFETCH(int, calls);
    QFETCH(QString, failure);
    QFETCH(QStringList, log);

    m_server.newLines();
    QSslConfiguration::setDefaultConfiguration(trustTestAuthority ? m_testTls : m_systemTls);
    const Outcome outcome = fetch(address);
    QSslConfiguration::setDefaultConfiguration(m_systemTls);
    QCOMPARE(outcome.calls, calls);
    QCOMPARE(outcome.failures, failure.isEmpty() ? QStringList{} : QStringList{failure});

    // Each step once, in order; a refused certificate ends the tunnel (the
    // fixture saw the handshake fail) before any request. Qt 6.4 sometimes
    // sends the plain request twice on its way to https, so a repeat does not
    // count.
    QStringList seen;
    QStringList steps;
    bool refused = false;
    const auto collect = [&] {
        for (const QString &line : m_server.newLines()) {
            seen << line;
            const QString step = line.section(u' ', 0, 1);
            if (line.startsWith(u"TLS REFUSED"_qs))
                refused = true;
            else if (!steps.contains(step))
                steps << step;
        }
        return steps.size() >= log.size() && refused == !failure.isEmpty();
    };
    QTRY_VERIFY_WITH_TIMEOUT(collect(), 5000);
    QVERIFY2(steps == log, qPrintable(seen.join(u" | "_qs)));
}

void TestCallSignTls::failureTexts_data()
{
    QTest::addColumn<QList<int>>("errors");
    QTest::addColumn<QString>("text");
    QTest::newRow("not yet valid") << QList<int>{QSslError::CertificateNotYetValid}
                                   << refusal(u"h"_qs, u"証明書の有効期間がまだ始まっていません"_qs);
    QTest::newRow("revoked") << QList<int>{QSslError::CertificateRevoked}
                             << refusal(u"h"_qs, u"証明書が失効しています"_qs);
    QTest::newRow("two problems, each said once")
        << QList<int>{QSslError::UnableToGetLocalIssuerCertificate, QSslError::HostNameMismatch,
                      QSslError::CertificateUntrusted}
        << refusal(u"h"_qs, u"証明書の発行元が信頼されていません、証明書の名前がサーバー名と一致しません"_qs);
    QTest::newRow("handshake failed")
        << QList<int>{} << u"サーバー h と安全な接続（HTTPS）を確立できませんでした"_qs;
}

void TestCallSignTls::failureTexts()
{
    QFETCH(QList<int>, errors);
    QFETCH(QString, text);
    QList<QSslError> sslErrors;
    for (const int error : errors)
        sslErrors << QSslError(QSslError::SslError(error));
    QCOMPARE(tlsFailureText(u"h"_qs, sslErrors), text);
}

QTEST_GUILESS_MAIN(TestCallSignTls)
#include "tst_callsigntls.moc"
