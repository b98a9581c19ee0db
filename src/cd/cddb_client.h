#pragma once

// The disc-database lookup over HTTP: a query request for a disc's query
// argument, then a read request for the record the answer names (the only
// match, or the one picked from a list). Requests wait in a nested event
// loop, so windows keep working and abort() ends a request at once.

#include "cddb_match.h"

#include "net/http_client.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <optional>

namespace cd {

// The user and host names the server is greeted with.
struct HelloParts {
    QString user = QStringLiteral("user");
    QString host = QStringLiteral("localhost");
};

// "name@host" gives user "name" and host "host"; without '@' the defaults.
HelloParts splitUserEmail(const QString &email);

// Picks one of several matches (lines "category discid Artist / Title"):
// its index, or none.
using MatchChooser = std::function<std::optional<int>(const QStringList &matches)>;

struct CddbLookup {
    enum Outcome { Found, NoRecord, ConnectionFailed };
    Outcome outcome = ConnectionFailed;
    QStringList record;  // the read answer's lines, an error answer too
};

class CddbClient {
public:
    CddbClient();

    // host[:port], through cddbServer() of cddb_server.h.
    void setServer(const QString &configured);
    QString server() const { return server_; }
    void setUserEmail(const QString &email) { hello_ = splitUserEmail(email); }
    HelloParts hello() const { return hello_; }
    // Each request ends as failed after this long; 0 (the default) waits
    // until the server answers or abort() is called.
    void setTimeout(int milliseconds) { timeout_ = milliseconds; }

    // Fewer than six lines in the read answer (an error answer, or a query
    // answer naming no record) is NoRecord. `choose` is asked only when the
    // server lists several matches.
    CddbLookup lookup(const QString &queryArgument, const MatchChooser &choose);
    // Ends the running lookup at once as ConnectionFailed.
    void abort();
    bool busy() const { return running_; }

private:
    std::optional<QStringList> post(const QByteArray &form);
    QByteArray queryForm(const QString &queryArgument) const;
    QByteArray readForm(const CddbMatch &match) const;
    QByteArray helloField() const;
    CddbLookup read(const std::optional<CddbMatch> &match);

    net::THttpCli http_;
    QTimer timer_;
    QString server_;
    HelloParts hello_;
    int timeout_ = 0;
    bool running_ = false;
    bool aborted_ = false;
};

}  // namespace cd
