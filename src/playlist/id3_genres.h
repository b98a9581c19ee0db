#pragma once

// The genre table of ID3v1 tags, in the program's own spellings: a genre is
// matched by its name, so these names are kept as they stand.

#include <QString>
#include <QStringList>

#include <array>

inline constexpr int Id3GenreCount = 126;
extern const std::array<const char *, Id3GenreCount> Id3GenreNames;

// The name for a genre byte, or empty when the byte is beyond the table.
QString id3GenreName(int number);
// The highest table number with that name, or 0 when none has it.
int id3GenreNumber(const QString &name);
// All names, sorted alphabetically, for the tag editor's choice.
QStringList sortedId3GenreNames();
