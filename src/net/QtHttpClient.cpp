#include "QtHttpClient.h"

#include "TlsFailureText.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>

namespace {

int seconds(std::chrono::milliseconds limit)
{
    return int((limit.count() + 500) / 1000);
}

HttpFailure replyFailure(const QNetworkReply &reply)
{
    const QString detail = reply.errorString();
    const int status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status >= 400)
        return {HttpFailure::ErrorStatus, status, detail};
    switch (reply.error()) {
    case QNetworkReply::ConnectionRefusedError:
    case QNetworkReply::HostNotFoundError:
    case QNetworkReply::ProxyConnectionRefusedError:
    case QNetworkReply::ProxyNotFoundError:
    case QNetworkReply::ProxyConnectionClosedError:
    case QNetworkReply::ProxyAuthenticationRequiredError:
    case QNetworkReply::NetworkSessionFailedError:
    case QNetworkReply::TemporaryNetworkFailureError:
        return {HttpFailure::Unreachable, 0, detail};
    default:
        return {HttpFailure::Interrupted, 0, detail};
    }
}

} // namespace

QtHttpClient::QtHttpClient(QObject *parent)
    : HttpClient(parent)
    , m_manager(new QNetworkAccessManager(this))
{
    m_idle.setSingleShot(true);
    m_idle.setInterval(defaultIdleLimit);
    connect(&m_idle, &QTimer::timeout, this, &QtHttpClient::onIdle);
    m_transferLimit.setSingleShot(true);
    m_transferLimit.setInterval(defaultTransferLimit);
    connect(&m_transferLimit, &QTimer::timeout, this, &QtHttpClient::onTransferLimit);
}

QtHttpClient::~QtHttpClient()
{
    drop();
}

void QtHttpClient::setIdleLimit(std::chrono::milliseconds limit)
{
    m_idle.setInterval(limit);
}

void QtHttpClient::setTransferLimit(std::chrono::milliseconds limit)
{
    m_transferLimit.setInterval(limit);
}

void QtHttpClient::setMaxBodySize(qint64 bytes)
{
    m_maxBodySize = bytes;
}

void QtHttpClient::get(const QString &address)
{
    drop();
    m_delivered = 0;
    QNetworkRequest request{QUrl(address)};
    // AlwaysNetwork also asks every proxy on the way for a fresh copy
    // (Cache-Control: no-cache).
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    // Qt's own transfer timeout is left off: the idle timer below covers the
    // whole request, connecting and redirects included.
    m_reply = m_manager->get(request);
    connect(m_reply, &QNetworkReply::readyRead, this, &QtHttpClient::onReadyRead);
    connect(m_reply, &QNetworkReply::finished, this, &QtHttpClient::onReplyFinished);
    // Each sign of life restarts the idle limit.
    const auto alive = [this] { m_idle.start(); };
    connect(m_reply, &QNetworkReply::downloadProgress, this, alive);
    connect(m_reply, &QNetworkReply::metaDataChanged, this, alive);
    connect(m_reply, &QNetworkReply::redirected, this, alive);
    // Only remembered to say what was wrong: the errors are never ignored, so
    // the reply ends with SslHandshakeFailedError.
    m_sslErrors.clear();
    connect(m_reply, &QNetworkReply::sslErrors, this, [this](const QList<QSslError> &errors) {
        m_sslErrors = errors;
    });
    m_idle.start();
    m_transferLimit.start();
}

void QtHttpClient::abort()
{
    drop();
}

void QtHttpClient::onReadyRead()
{
    if (!m_reply)
        return;
    m_idle.start();
    QByteArray chunk = m_reply->readAll();
    if (chunk.isEmpty())
        return;
    const qint64 room = m_maxBodySize - m_delivered;
    const bool cut = chunk.size() > room;
    if (cut)
        chunk.truncate(room);
    m_delivered += chunk.size();
    if (!chunk.isEmpty())
        emit received(chunk);
    // A slot may have aborted meanwhile.
    if (cut && m_reply) {
        const HttpFailure failure{HttpFailure::TooLarge, 0,
                                  QStringLiteral("body longer than %1 bytes").arg(m_maxBodySize)};
        end(&failure);
    }
}

void QtHttpClient::onReplyFinished()
{
    if (!m_reply)
        return;
    // The last bytes may come with the end.
    onReadyRead();
    if (!m_reply)
        return;
    if (m_reply->error() == QNetworkReply::NoError) {
        end();
        return;
    }
    // The certificate was refused, never ignored: say which server and why.
    const HttpFailure failure = m_reply->error() == QNetworkReply::SslHandshakeFailedError
        ? HttpFailure{HttpFailure::Insecure, 0, tlsFailureText(m_reply->url().host(), m_sslErrors)}
        : replyFailure(*m_reply);
    end(&failure);
}

void QtHttpClient::onIdle()
{
    if (!m_reply)
        return;
    const HttpFailure failure{HttpFailure::NoAnswer, seconds(m_idle.intervalAsDuration()),
                              QStringLiteral("no progress for %1 ms").arg(m_idle.interval())};
    end(&failure);
}

void QtHttpClient::onTransferLimit()
{
    if (!m_reply)
        return;
    const HttpFailure failure{HttpFailure::TooSlow, seconds(m_transferLimit.intervalAsDuration()),
                              QStringLiteral("not done after %1 ms").arg(m_transferLimit.interval())};
    end(&failure);
}

// Lets go of the reply without a signal from it: abort() on a reply emits its
// finished() at once.
void QtHttpClient::drop()
{
    m_idle.stop();
    m_transferLimit.stop();
    if (!m_reply)
        return;
    QNetworkReply *reply = m_reply;
    m_reply = nullptr;
    reply->disconnect(this);
    reply->abort();
    reply->deleteLater();
}

void QtHttpClient::end(const HttpFailure *failure)
{
    drop();
    if (failure)
        emit failed(*failure);
    emit finished();
}
