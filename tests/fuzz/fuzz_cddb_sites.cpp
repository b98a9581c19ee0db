// The disc database's list of servers as an update reads it: whatever the
// answer, the lines taken begin with a bare host[:port], hold no control
// character, and come back the same from the file they are written to.

#include "cd/cddb_sites.h"
#include "cd/text_lines.h"
#include "fuzz_input.h"
#include "platform/text_decoding.h"

#include <QRegularExpression>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QStringList answer = cd::textLines(
        platform::decodeText(QByteArray(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size))));
    const std::optional<QStringList> sites = cd::parseSitesAnswer(answer);
    if (!sites)
        return 0;
    fuzz::require(sites->size() <= cd::maxSites && sites->size() <= answer.size() - 2);
    for (const QString &site : *sites) {
        fuzz::require(site == cd::singleLine(site) && site == site.trimmed());
        const QString server = cd::siteServer(site);
        static const QRegularExpression hostPort("^[\\p{Nd}A-Za-z.:-]+$");
        fuzz::require(hostPort.match(server).hasMatch());
    }
    static QTemporaryDir folder;
    const QString file = folder.filePath("cddb.ini");
    fuzz::require(cd::saveServerList(file, *sites));
    fuzz::require(cd::loadServerList(file) == *sites);
    return 0;
}
