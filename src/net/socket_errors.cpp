#include "socket_errors.h"

#include <netdb.h>

#include <cerrno>
#include <system_error>

namespace net {

int socketErrorNumber(QAbstractSocket::SocketError error)
{
    switch (error) {
    case QAbstractSocket::ConnectionRefusedError:
        return ECONNREFUSED;
    case QAbstractSocket::RemoteHostClosedError:
        return ECONNRESET;
    case QAbstractSocket::HostNotFoundError:
        return EAI_NONAME;
    case QAbstractSocket::SocketAccessError:
        return EACCES;
    case QAbstractSocket::SocketResourceError:
        return EMFILE;
    case QAbstractSocket::SocketTimeoutError:
        return ETIMEDOUT;
    case QAbstractSocket::NetworkError:
        return ENETUNREACH;
    case QAbstractSocket::AddressInUseError:
        return EADDRINUSE;
    case QAbstractSocket::SocketAddressNotAvailableError:
        return EADDRNOTAVAIL;
    case QAbstractSocket::UnsupportedSocketOperationError:
        return EAFNOSUPPORT;
    case QAbstractSocket::SslHandshakeFailedError:
    case QAbstractSocket::SslInternalError:
    case QAbstractSocket::SslInvalidUserDataError:
        return EPROTO;
    default:
        return EIO;
    }
}

int lookupErrorNumber(QHostInfo::HostInfoError error)
{
    switch (error) {
    case QHostInfo::NoError:
        return 0;
    case QHostInfo::HostNotFound:
        return EAI_NONAME;
    default:
        return EAI_FAIL;
    }
}

QString socketErrorText(int error)
{
    if (error < 0)
        return QString::fromLocal8Bit(gai_strerror(error));
    return QString::fromStdString(std::generic_category().message(error));
}

}  // namespace net
