#pragma once

// TLS as the HTTP client speaks it, through Qt's TLS backend: TLS 1.2 or
// newer, the server's certificate verified against the system's store with
// the host name checked. The authorities in the file SSL_CERT_FILE names
// (OpenSSL's variable, which Qt does not read) are trusted as well, so a test
// can trust an authority of its own.

#include <QList>
#include <QSslConfiguration>
#include <QSslError>
#include <QString>

namespace net {

QSslConfiguration tlsClientConfiguration();

// Why a handshake with `host` failed, in words for the user: the fault of
// the certificate, a server without TLS 1.2, or the socket's own text.
QString tlsFailureText(const QString &host, const QList<QSslError> &errors, const QString &socketText);

}  // namespace net
