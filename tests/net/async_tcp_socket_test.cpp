// The asynchronous socket: its events in order, all data delivered in small
// reads, and an Abort after which the old session stays silent. Its errors
// are seen through the HTTP client's tests.

#include "net/async_tcp_socket.h"
#include "support/http_test_server.h"
#include "support/run_until.h"

#include <gtest/gtest.h>

using ludro::test::HttpTestServer;
using net::TWSocket;

TEST(TWSocket, ReportsEachStageInOrderAndDeliversAllData)
{
    HttpTestServer server;
    server.on("/", HttpTestServer::ok(std::string(50000, 'r')));
    TWSocket socket;
    socket.Addr = "127.0.0.1";
    socket.Port = QString::number(server.port());
    QStringList events;
    QByteArray received;
    int sessions = 0;
    socket.OnDnsLookupDone = [&](int error) { events << "lookup " + QString::number(error); };
    socket.OnSessionConnected = [&](int error) {
        events << "connected " + QString::number(error);
        if (++sessions == 1) {
            socket.Abort();
            socket.Connect();
        } else {
            socket.Send("GET / HTTP/1.0\r\n\r\n", 18);
        }
    };
    socket.OnDataSent = [&](int) { events << "sent"; };
    socket.OnDataAvailable = [&](int) {
        char piece[1000];
        received.append(piece, socket.Receive(piece, sizeof piece));
    };
    socket.OnSessionClosed = [&](int error) { events << "closed " + QString::number(error); };

    socket.Connect();
    runUntil([&] { return socket.state() == TWSocket::State::Closed && sessions == 2; }, 10000);
    EXPECT_EQ(events.join(", ").toStdString(), "lookup 0, connected 0, lookup 0, connected 0, sent, closed 0");
    EXPECT_TRUE(received.endsWith("\r\n\r\n" + QByteArray(50000, 'r')));
}
