#include "disc_source.h"

#include "image_files.h"

#include <cdio/logging.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstdlib>
#include <mutex>

#include <sys/stat.h>

namespace cd {
namespace {

constexpr long msfOffset = 150;  // LSN 0 is MSF 00:02.00

// Failures reach the user as the device's modes and the tools' messages, not
// as libcdio's own lines on the terminal.
void ignoreCdioMessage(cdio_log_level_t, const char *) {}

void silenceCdioMessages()
{
    static std::once_flag once;
    std::call_once(once, [] { cdio_log_set_handler(ignoreCdioMessage); });
}

bool hasImageSuffix(const QString &name)
{
    const QString suffix = QFileInfo(name).suffix().toLower();
    return suffix == "cue" || suffix == "bin" || suffix == "toc";
}

// A name libcdio can open `cue` under: the .cue itself, or a link beside a
// link to the data file it names.
QString openableCue(const QString &cue, std::unique_ptr<QTemporaryDir> &links)
{
    const QString data = cueAudioFile(cue);
    const QFileInfo info(cue);
    if (QFileInfo(data) == QFileInfo(imagePair(cue)))
        return cue;
    links = std::make_unique<QTemporaryDir>();
    const QString linked = links->filePath("image.cue");
    if (!links->isValid() || !QFile::link(info.absoluteFilePath(), linked) ||
        !QFile::link(QFileInfo(data).absoluteFilePath(), links->filePath("image.bin")))
        return cue;
    return linked;
}

}  // namespace

DiscSource resolveDiscSource(const QString &configured)
{
    QString name = configured;
    if (name.isEmpty())
        name = qEnvironmentVariable("LUDRO_CD_DEVICE");
    if (name.isEmpty()) {
        silenceCdioMessages();
        if (char *drive = cdio_get_default_device(nullptr)) {
            name = QString::fromLocal8Bit(drive);
            cdio_free(drive);
        }
    }
    const QFileInfo info(name);
    return {name, hasImageSuffix(name) || info.isFile()};
}

ImageStamp stampOf(const QString &path)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return {};
    return {static_cast<int64_t>(st.st_ino), static_cast<int64_t>(st.st_size),
            static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
}

CdIo_t *openDisc(const DiscSource &source, std::unique_ptr<QTemporaryDir> &links)
{
    silenceCdioMessages();
    links.reset();
    if (source.name.isEmpty())
        return nullptr;
    QString name = source.name;
    driver_id_t driver = DRIVER_DEVICE;
    if (source.image) {
        if (!imageProblem(source.name).isEmpty())
            return nullptr;
        const QString suffix = QFileInfo(source.name).suffix().toLower();
        driver = suffix == "toc" ? DRIVER_CDRDAO : suffix == "cue" || suffix == "bin" ? DRIVER_BINCUE : DRIVER_UNKNOWN;
        if (suffix == "cue")
            name = openableCue(source.name, links);
    }
    return cdio_open(QFile::encodeName(name).constData(), driver);
}

TableOfContents readTableOfContents(CdIo_t *cdio)
{
    TableOfContents toc;
    const track_t first = cdio_get_first_track_num(cdio);
    const track_t count = cdio_get_num_tracks(cdio);
    if (first == CDIO_INVALID_TRACK || count == CDIO_INVALID_TRACK || count == 0)
        return toc;
    for (int i = first; i < first + count; ++i) {
        // Invalid, or starting before the disc or before the track ahead:
        // no disc's table (a broken .toc).
        const lsn_t lsn = cdio_get_track_lsn(cdio, static_cast<track_t>(i));
        if (lsn < 0 || (!toc.tracks.empty() && lsn + msfOffset < toc.tracks.back().startFrame))
            return {};
        toc.tracks.push_back({i - first + 1, lsn + msfOffset, 0,
                              cdio_get_track_format(cdio, static_cast<track_t>(i)) == TRACK_FORMAT_AUDIO});
    }
    const lsn_t leadout = cdio_get_track_lsn(cdio, CDIO_CDROM_LEADOUT_TRACK);
    if (leadout < 0)
        return {};
    // An image's lead-out is where its data ends. Cut short, it ends before
    // its last tracks start: they become empty, and the track it ends in
    // keeps its length but misses its last sectors.
    const long dataEnd = leadout + msfOffset;
    toc.leadoutFrame = std::max(dataEnd, toc.tracks.back().startFrame);
    if (dataEnd < toc.leadoutFrame)
        toc.imageEndFrame = dataEnd;
    for (std::size_t i = 0; i < toc.tracks.size(); ++i) {
        const long end = i + 1 < toc.tracks.size() ? toc.tracks[i + 1].startFrame : toc.leadoutFrame;
        toc.tracks[i].lengthFrames = std::max(0L, std::min(end, toc.leadoutFrame) - toc.tracks[i].startFrame);
    }
    return toc;
}

}  // namespace cd
