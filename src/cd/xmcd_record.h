#pragma once

// The record of a disc in the xmcd form disc-database servers take: the
// track frame offsets, disc length and revision as comments, then the names.

#include "disc_id.h"
#include "disc_names.h"

#include <QStringList>

namespace cd {

// The lines from "# xmcd" to "PLAYORDER=", one name per track of `names`
// (the caller makes sure they match the disc's tracks). A backslash, line
// feed or tab in a name is written as "\\", "\n" or "\t", any other control
// character as a blank, and a value too long for one line goes on in lines
// of the same key, so no name can make or break a line of the record.
QStringList xmcdRecord(const DiscId &disc, const DiscNames &names, int revision);

// A value with its backslashes, line feeds and tabs as xmcd escapes and
// other control characters as blanks (unescapedValue() of disc_record.h
// reads it back).
QString escapedValue(const QString &value);

}  // namespace cd
