#include "CallSignListReader.h"

#include "CallListAddress.h"
#include "CallListTexts.h"
#include "net/HttpClient.h"

#include <QMetaObject>

CallSignListReader::CallSignListReader(HttpClient *client, QObject *parent)
    : QObject(parent)
    , m_client(client)
{
    m_client->setParent(this);
    connect(m_client, &HttpClient::received, this, &CallSignListReader::onReceived);
    connect(m_client, &HttpClient::failed, this, &CallSignListReader::onFailed);
    connect(m_client, &HttpClient::finished, this, &CallSignListReader::onFinished);
}

CallSignListReader::~CallSignListReader()
{
    abort();
}

bool CallSignListReader::start(int yearIndex, CallSignFilter filter)
{
    if (m_running)
        return false;
    m_running = true;
    m_filter = filter;
    m_page.clear();
    m_failure.clear();
    ++m_generation;
    const QString address = callListAddress(yearIndex);
    if (address.isEmpty()) {
        // Queued so that the caller has finished its own steps (status text,
        // disabled button) before the result arrives, as with a real download.
        const quint64 generation = m_generation;
        QMetaObject::invokeMethod(this, [this, generation] {
            if (m_running && generation == m_generation)
                finishWithoutRequest();
        }, Qt::QueuedConnection);
        return true;
    }
    m_client->get(address);
    return true;
}

void CallSignListReader::abort()
{
    if (!m_running)
        return;
    m_running = false;
    ++m_generation;
    m_client->abort();
    m_page.clear();
}

void CallSignListReader::onReceived(const QByteArray &chunk)
{
    if (!m_running)
        return;
    m_page.append(chunk);
    emit progress(m_page.size());
}

void CallSignListReader::onFailed(const HttpFailure &failure)
{
    if (m_running)
        m_failure = callListFailureText(failure);
}

void CallSignListReader::onFinished()
{
    if (!m_running)
        return;
    m_running = false;
    if (!m_failure.isEmpty()) {
        m_page = QByteArray();
        emit failed(m_failure);
        return;
    }
    const QStringList calls = scanCallSigns(m_page, m_filter);
    m_page = QByteArray();
    emit finished(calls);
}

void CallSignListReader::finishWithoutRequest()
{
    m_running = false;
    emit finished({});
}
