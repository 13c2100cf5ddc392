#pragma once

#include <QList>
#include <QSslError>
#include <QString>

// Why a secure (https) connection was refused, in a few words for the user
// (the read's failure notice puts them in brackets after its own text). The
// certificate is never accepted anyway: the connection ends here, and the
// text names the server and what was wrong with its certificate, so that a
// wrong clock or a proxy that presents its own certificates can be told
// apart from a broken server.
//
// errors are those the TLS backend reported for host; with none, the
// handshake itself failed.
QString tlsFailureText(const QString &host, const QList<QSslError> &errors);
