#pragma once

// TLS as the HTTP client speaks it, through Qt's TLS backend: TLS 1.2 or
// newer, the server's certificate verified against the system's store with
// the host name checked. When SSL_CERT_FILE (OpenSSL's variable, which Qt
// does not read) names a file, its authorities are the ones trusted, as for
// the engine's stream reader: a test trusts an authority of its own.

#include <QList>
#include <QSslConfiguration>
#include <QSslError>
#include <QString>

namespace net {

// For a connection to `peer` ("host:port"): a session kept from the last
// connection there is resumed, as browsers and curl do.
QSslConfiguration tlsClientConfiguration(const QString &peer);
// Keeps the session of a connection that went through, for the next one to `peer`.
void keepTlsSession(const QString &peer, const QSslConfiguration &used);

// Why a handshake with `host` failed, in words for the user: the fault of
// the certificate, a server without TLS 1.2, or the socket's own text.
QString tlsFailureText(const QString &host, const QList<QSslError> &errors, const QString &socketText);

}  // namespace net
