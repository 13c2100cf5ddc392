#pragma once

#include "callsign/HttpClient.h"

#include <QStringList>

// Stands in for the network: records what is asked for, and hands over body
// bytes, a failure and the end only when the test says so, keeping the
// client's promise of no signals outside a transfer.
class ScriptedHttpClient : public HttpClient
{
public:
    using HttpClient::HttpClient;

    QStringList requests;
    int aborts = 0;

    bool isRunning() const { return m_running; }

    void get(const QString &address) override
    {
        requests.append(address);
        m_running = true;
    }

    void abort() override
    {
        ++aborts;
        m_running = false;
    }

    void deliver(const QByteArray &chunk)
    {
        if (m_running)
            emit received(chunk);
    }

    // Ends the transfer; a non-empty reason reports it as failed first.
    void finish(const QString &failure = {})
    {
        if (!m_running)
            return;
        m_running = false;
        if (!failure.isEmpty())
            emit failed(failure);
        emit finished();
    }

    // Signals that were already on their way when the transfer was abandoned,
    // as a client that breaks its promise would deliver them.
    void deliverLate(const QByteArray &chunk) { emit received(chunk); }
    void finishLate() { emit finished(); }

private:
    bool m_running = false;
};
