#include "cddb_match.h"

namespace cd {

namespace {

// The category is the first word of at most 25 characters from `start`; the
// disc id the 8 characters after the blank that ends it. Without that blank
// the line names no record.
std::optional<CddbMatch> matchFrom(const QString &line, qsizetype start)
{
    const qsizetype blank = line.mid(start, 25).indexOf(' ');
    if (blank < 0)
        return std::nullopt;
    return CddbMatch{line.mid(start, blank), line.mid(start + blank + 1, 8)};
}

}  // namespace

std::optional<CddbMatch> singleMatch(const QString &line)
{
    return matchFrom(line, 4);
}

std::optional<CddbMatch> listedMatch(const QString &line)
{
    return matchFrom(line, 0);
}

}  // namespace cd
