#pragma once

#include "HttpClient.h"

#include <QList>
#include <QPointer>
#include <QSslError>
#include <QTimer>

#include <chrono>

class QNetworkAccessManager;
class QNetworkReply;

// HttpClient on Qt Network. Goes through the proxy the environment names
// (http_proxy, HTTP_PROXY, no_proxy), as Qt does by default on Linux; follows
// redirects, also from http to https but never back; sends no request to a
// cache and keeps no cache. https goes through Qt's TLS backend with the
// system's certificate authorities; a certificate that fails verification
// ends the transfer as an Insecure failure.
class QtHttpClient : public HttpClient
{
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds defaultIdleLimit{30000};
    // Far above any real log index, low enough to be harmless in memory.
    static constexpr qint64 defaultMaxBodySize = 32 * 1024 * 1024;
    // A server that trickles a byte now and then never trips the idle limit
    // and would hold the read for hours: the whole transfer has a limit too.
    static constexpr std::chrono::milliseconds defaultTransferLimit{180000};

    explicit QtHttpClient(QObject *parent = nullptr);
    ~QtHttpClient() override;

    void get(const QString &address) override;
    void abort() override;

    // A transfer with no progress for this long is given up.
    void setIdleLimit(std::chrono::milliseconds limit);
    // A transfer not ended after this long, however lively, is given up.
    void setTransferLimit(std::chrono::milliseconds limit);
    // Bytes of body handed over at most; the transfer ends there.
    void setMaxBodySize(qint64 bytes);

private:
    void onReadyRead();
    void onReplyFinished();
    void onIdle();
    void onTransferLimit();
    void drop();
    void end(const HttpFailure *failure = nullptr);

    QNetworkAccessManager *m_manager;
    QPointer<QNetworkReply> m_reply;
    QTimer m_idle;
    QTimer m_transferLimit;
    qint64 m_maxBodySize = defaultMaxBodySize;
    qint64 m_delivered = 0;
    QList<QSslError> m_sslErrors;
};
