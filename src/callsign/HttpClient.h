#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

// Where a web page enters the program: one GET at a time, its body handed over
// in order as it arrives.
//
// After get() come zero or more received() with the body's bytes in order,
// then, if the transfer did not end normally, one failed(), and last exactly
// one finished(). An HTTP error status, a refused connection, an unknown host,
// a TLS error, a transfer that stalls past its time limit and a body cut at the
// size limit all end that way: the body received so far (possibly nothing)
// stays valid, and nothing is thrown. No signal is emitted from inside get()
// or abort(), and none at all after abort().
class HttpClient : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // Fetches address from its server, never from a cache. A transfer still
    // running is abandoned first, as by abort().
    virtual void get(const QString &address) = 0;

    // Ends the running transfer, if any, without further signals.
    virtual void abort() = 0;

signals:
    void received(const QByteArray &chunk);
    // Why the transfer ended early; for diagnosis, not shown to the user.
    void failed(const QString &reason);
    void finished();
};
