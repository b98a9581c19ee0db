#pragma once

// The names in an xmcd record, as a disc-database server sends it on a read
// request.

#include "disc_names.h"

#include <QStringList>

namespace cd {

// Replaces the tracks of `names` with the record's track titles, numbered by
// the order in which their keys first appear. A value split over several
// lines of one key (DTITLE, TTITLEn, EXTD, EXTTn) is joined in the order of
// the lines, and the escapes "\n", "\t" and "\\" are decoded. DTITLE
// ("Artist / Title") splits at its first " / ", or, without one, at its
// first "/"; it sets artist and title, and a "# Revision: n" line the
// revision: what the record lacks of these stays. DYEAR, DGENRE, EXTD and
// EXTTn are taken as the record has them.
void applyDiscRecord(const QStringList &lines, DiscNames &names);

// The names the record holds.
DiscNames parseDiscRecord(const QStringList &lines);

// The xmcd escapes of a value decoded: "\n" a line feed, "\t" a tab, "\\" a
// backslash; any other backslash stays as it is.
QString unescapedValue(const QString &value);

}  // namespace cd
