#include "track_reader.h"

#include "image_files.h"
#include "sector_reader.h"

#include <algorithm>

namespace cd {

namespace {
constexpr long msfOffset = 150;  // LSN 0 is MSF 00:02.00
}

std::unique_ptr<TrackReader> TrackReader::open(const DiscSource &source, int track, QString &error)
{
    std::unique_ptr<TrackReader> reader(new TrackReader);
    reader->cdio_ = openDisc(source, reader->links_);
    const TableOfContents toc = reader->cdio_ ? readTableOfContents(reader->cdio_) : TableOfContents{};
    if (!reader->cdio_ || toc.empty()) {
        const QString problem = source.image ? imageProblem(source.name) : QString();
        error = QStringLiteral("cannot read a disc in %1").arg(source.name) +
                (problem.isEmpty() ? QString() : QStringLiteral(": ") + problem);
        return nullptr;
    }
    if (track < 1 || track > static_cast<int>(toc.tracks.size()) || !toc.tracks[track - 1].audio) {
        error = QStringLiteral("the disc has no audio track %1").arg(track);
        return nullptr;
    }
    const CdTrack &t = toc.tracks[track - 1];
    reader->first_ = reader->next_ = t.startFrame - msfOffset;
    reader->end_ = t.endFrame() - msfOffset;
    reader->held_ = std::clamp(toc.dataEndFrame() - msfOffset, reader->first_, reader->end_);
    if (!source.image)
        reader->reader_ = createParanoiaReader(reader->cdio_);
    if (!reader->reader_)
        reader->reader_ = createPlainReader(reader->cdio_);
    return reader;
}

TrackReader::~TrackReader()
{
    reader_.reset();
    if (cdio_)
        cdio_destroy(cdio_);
}

void TrackReader::read(int maxSectors, QByteArray &bytes)
{
    const int count = static_cast<int>(std::min<long>(maxSectors, held_ - next_));
    if (count <= 0)
        return;
    const qsizetype at = bytes.size();
    bytes.resize(at + qsizetype{count} * bytesPerSector);
    reader_->read(static_cast<int32_t>(next_), count, reinterpret_cast<int16_t *>(bytes.data() + at));
    next_ += count;
}

}  // namespace cd
