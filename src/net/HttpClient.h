#pragma once

#include <QByteArray>
#include <QMetaType>
#include <QObject>
#include <QString>

// Why a transfer ended early.
struct HttpFailure {
    enum Kind {
        ErrorStatus,   // the server answered with an error status: value is the status
        Unreachable,   // the server or the proxy refused the connection or was not found
        NoAnswer,      // nothing came for the idle limit: value is the limit in seconds
        TooSlow,       // the transfer outlasted its limit: value is the limit in seconds
        TooLarge,      // the body passed the size limit
        Interrupted,   // the connection broke off, or any other fault
        Insecure,      // the server's certificate was refused: detail says which server
                       // and why, in Japanese, for the user
    };
    Kind kind = Interrupted;
    int value = 0;
    QString detail;    // the system's own words, for diagnosis
};
Q_DECLARE_METATYPE(HttpFailure)

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
    void failed(const HttpFailure &failure);
    void finished();
};
