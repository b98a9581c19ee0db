#pragma once

// Socket error numbers: errno values for socket failures, getaddrinfo's
// (negative) codes for name look-up failures, as the system itself numbers them.

#include <QAbstractSocket>
#include <QHostInfo>
#include <QString>

namespace net {

int socketErrorNumber(QAbstractSocket::SocketError error);
int lookupErrorNumber(QHostInfo::HostInfoError error);
QString socketErrorText(int error);

}  // namespace net
