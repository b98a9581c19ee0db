#include "tls_client.h"

#include <QHash>
#include <QMutex>
#include <QSslCertificate>

namespace net {

namespace {

// The certificate's fault, worded as the engine's stream reader words it.
QString certificateFault(QSslError::SslError error)
{
    switch (error) {
    case QSslError::CertificateExpired:
        return QStringLiteral("has expired");
    case QSslError::CertificateNotYetValid:
        return QStringLiteral("is not valid yet");
    case QSslError::SelfSignedCertificate:
    case QSslError::SelfSignedCertificateInChain:
        return QStringLiteral("is self-signed");
    case QSslError::HostNameMismatch:
        return QStringLiteral("is for another name");
    case QSslError::UnableToGetIssuerCertificate:
    case QSslError::UnableToGetLocalIssuerCertificate:
    case QSslError::UnableToVerifyFirstCertificate:
    case QSslError::CertificateUntrusted:
        return QStringLiteral("is not from a trusted authority");
    default:
        return {};
    }
}

QMutex mutex;
QHash<QString, QByteArray> sessions;  // by peer

// Made again when SSL_CERT_FILE changes, so a test can trust an authority of its own.
QSslConfiguration baseConfiguration()
{
    static QString madeFor;
    static QSslConfiguration made;
    static bool ready = false;
    const QString file = qEnvironmentVariable("SSL_CERT_FILE");
    if (ready && file == madeFor)
        return made;
    QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
    configuration.setProtocol(QSsl::TlsV1_2OrLater);
    configuration.setPeerVerifyMode(QSslSocket::VerifyPeer);
    configuration.setSslOption(QSsl::SslOptionDisableSessionPersistence, false);
    if (!file.isEmpty())
        configuration.setCaCertificates(QSslCertificate::fromPath(file));
    if (ready)
        sessions.clear();  // sessions of servers trusted under other rules
    made = configuration;
    madeFor = file;
    ready = true;
    return made;
}

}  // namespace

QSslConfiguration tlsClientConfiguration(const QString &peer)
{
    QMutexLocker lock(&mutex);
    QSslConfiguration configuration = baseConfiguration();
    configuration.setSessionTicket(sessions.value(peer));
    return configuration;
}

void keepTlsSession(const QString &peer, const QSslConfiguration &used)
{
    const QByteArray ticket = used.sessionTicket();
    QMutexLocker lock(&mutex);
    if (!ticket.isEmpty())
        sessions.insert(peer, ticket);
}

QString tlsFailureText(const QString &host, const QList<QSslError> &errors, const QString &socketText)
{
    // The most telling fault first: an expired or self-signed certificate
    // also has no trusted issuer.
    for (const QSslError::SslError telling :
         {QSslError::CertificateExpired, QSslError::CertificateNotYetValid, QSslError::SelfSignedCertificate,
          QSslError::SelfSignedCertificateInChain, QSslError::HostNameMismatch})
        for (const QSslError &error : errors)
            if (error.error() == telling)
                return "TLS: the certificate of " + host + ' ' + certificateFault(telling);
    if (!errors.isEmpty()) {
        const QString fault = certificateFault(errors.first().error());
        return "TLS: the certificate of " + host + ' ' +
               (fault.isEmpty() ? "is not valid: " + errors.first().errorString() : fault);
    }
    if (socketText.contains(QLatin1String("protocol version")) ||
        socketText.contains(QLatin1String("unsupported protocol")))
        return "TLS: " + host + " offers no TLS version from 1.2 on";
    return "TLS: the handshake with " + host + " failed: " + socketText;
}

}  // namespace net
