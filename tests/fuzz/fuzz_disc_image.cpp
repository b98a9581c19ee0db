// A disc image as the player and ludro-cd open it: the input is its cue
// sheet or .toc (the first byte picks which) beside a .bin of 20 sectors,
// a named pipe "pipe" and a link "zero" to /dev/zero.
// The files it names are resolved and checked, libcdio reads the table of
// contents, and the first audio track is read as a rip reads it: never past
// the sectors the image holds. A file it names that is no regular file (a
// pipe would block libcdio for good) must be refused before libcdio opens it;
// the timeout catches one that is not.

#include "cd/disc_source.h"
#include "cd/image_files.h"
#include "cd/track_reader.h"
#include "fuzz_input.h"

#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>

#include <algorithm>

#include <sys/stat.h>

namespace {

void readFirstAudioTrack(const cd::DiscSource &source, const cd::TableOfContents &toc)
{
    const auto audio = std::find_if(toc.tracks.begin(), toc.tracks.end(), [](const cd::CdTrack &t) { return t.audio; });
    QString error;
    const std::unique_ptr<cd::TrackReader> reader =
        audio == toc.tracks.end() ? nullptr : cd::TrackReader::open(source, audio->number, error);
    if (!reader)
        return;
    fuzz::require(reader->sectors() == audio->lengthFrames && reader->sectorsHeld() <= reader->sectors());
    fuzz::require(toc.imageEndFrame == 0 || reader->sectorsHeld() == 0 ||
                  audio->startFrame + reader->sectorsHeld() <= toc.imageEndFrame);
    QByteArray bytes;
    reader->read(8, bytes);
    fuzz::require(bytes.size() == std::min(8L, reader->sectorsHeld()) * cd::bytesPerSector);
}

}  // namespace

// libcdio's .toc reader drops the file names of lines it rejects: not ours.
extern "C" const char *__lsan_default_suppressions()
{
    return "leak:libcdio.so\n";
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const QString sheet = fuzz::inputFile(data + 1, size - 1, data[0] % 2 ? "image.toc" : "image.cue");
    const QDir folder = QFileInfo(sheet).dir();
    static const bool ready = [&folder] {
        QFile bin(folder.filePath("image.bin"));
        QByteArray sectors;
        for (qsizetype i = 0; i < 20 * cd::bytesPerSector; ++i)
            sectors += static_cast<char>(i * 7);
        return bin.open(QIODevice::WriteOnly) && bin.write(sectors) == sectors.size() &&
               ::mkfifo(QFile::encodeName(folder.filePath("pipe")).constData(), 0600) == 0 &&
               QFile::link("/dev/zero", folder.filePath("zero"));
    }();
    fuzz::require(ready);
    // libcdio looks for a .toc's files in the current folder; libFuzzer's
    // own paths may be relative to the one it started in.
    const QString started = QDir::currentPath();
    const auto back = qScopeGuard([&started] { QDir::setCurrent(started); });
    fuzz::require(QDir::setCurrent(folder.path()));

    const cd::DiscSource source{sheet, true};
    std::unique_ptr<QTemporaryDir> links;
    CdIo_t *cdio = cd::openDisc(source, links);
    fuzz::require(!cdio || cd::imageProblem(sheet).isEmpty());
    if (!cdio)
        return 0;
    const cd::TableOfContents toc = cd::readTableOfContents(cdio);
    cdio_destroy(cdio);
    for (std::size_t i = 0; i < toc.tracks.size(); ++i)
        fuzz::require(toc.tracks[i].number == static_cast<int>(i) + 1 && toc.tracks[i].lengthFrames >= 0 &&
                      toc.tracks[i].endFrame() <= toc.leadoutFrame);
    fuzz::require(toc.imageEndFrame == 0 || toc.imageEndFrame < toc.leadoutFrame);
    fuzz::require(toc.audioEndFrame() <= toc.leadoutFrame);
    readFirstAudioTrack(source, toc);
    return 0;
}
