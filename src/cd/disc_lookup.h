#pragma once

// `ludro-cd lookup`: the player's disc-database lookup without windows.

#include "disc_id.h"

#include <QString>
#include <QTextStream>

namespace cd {

struct LookupOptions {
    QString server;  // host[:port]; empty: the default (cddb_server.h)
    QString userEmail = QStringLiteral("user@localhost");
    int match = 1;  // which of several matches, from 1
    QString tracksFolder;
    int timeoutMs = 30000;  // nobody is there to press Close
};

enum LookupStatus { LookupFound = 0, LookupNoRecord = 1, LookupConnectionFailed = 2 };

// Asks the server for the disc's record. Found: writes the disc's names
// file into the tracks folder as the player does, and prints
// "Artist / Title" and one track name a line to `out`. Several matches are
// listed on `errors`, numbered for `match`.
LookupStatus lookupDisc(const DiscId &id, const LookupOptions &options, QTextStream &out, QTextStream &errors);

}  // namespace cd
