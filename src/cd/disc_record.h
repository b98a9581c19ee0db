#pragma once

// The names in an xmcd record, as a disc-database server sends it on a read
// request.

#include "disc_names.h"

#include <QStringList>

namespace cd {

// Replaces the tracks of `names` with the record's track titles, numbered by
// their order in the record; a title split over several TTITLEn lines of the
// same number is joined. A DTITLE line ("Artist / Title") sets artist and
// title, a "# Revision: n" line the revision; what the record lacks stays.
void applyDiscRecord(const QStringList &lines, DiscNames &names);

// The names the record holds.
DiscNames parseDiscRecord(const QStringList &lines);

}  // namespace cd
