#pragma once

// The record a query answer names: a category and a disc id, as the read
// request wants them.

#include <QString>

#include <optional>

namespace cd {

struct CddbMatch {
    QString category;
    QString discId;
};

// "200 rock 0b012a02 Artist / Title", the answer of a single match.
std::optional<CddbMatch> singleMatch(const QString &line);
// "rock 0b012a02 Artist / Title", a line of a list of matches.
std::optional<CddbMatch> listedMatch(const QString &line);

}  // namespace cd
