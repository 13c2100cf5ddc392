#pragma once

#include "net/HttpClient.h"

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

    // Ends the transfer; a non-empty reason reports it as broken off first.
    void finish(const QString &failure = {})
    {
        if (failure.isEmpty())
            end(nullptr);
        else
            finish(HttpFailure{HttpFailure::Interrupted, 0, failure});
    }

    // Ends the transfer as failed.
    void finish(const HttpFailure &failure) { end(&failure); }

    // Signals that were already on their way when the transfer was abandoned,
    // as a client that breaks its promise would deliver them.
    void deliverLate(const QByteArray &chunk) { emit received(chunk); }
    void finishLate() { emit finished(); }

private:
    void end(const HttpFailure *failure)
    {
        if (!m_running)
            return;
        m_running = false;
        if (failure)
            emit failed(*failure);
        emit finished();
    }

    bool m_running = false;
};
