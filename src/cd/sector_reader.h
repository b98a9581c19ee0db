#pragma once

// Reads audio sectors of a disc for playback. A sector that cannot be read
// comes back as silence, so playback goes on at its pace.

#include <cdio/cdio.h>

#include <cstdint>
#include <memory>

namespace cd {

constexpr int samplesPerSector = 588 * 2;  // 16-bit stereo, 1/75 s

class SectorReader {
public:
    virtual ~SectorReader() = default;
    // `count` sectors from `lsn` into `samples` (count * samplesPerSector values).
    virtual void read(int32_t lsn, int count, int16_t *samples) = 0;
};

// Plain reads, for disc images: a file has no jitter or scratches to correct,
// and paranoia retries a sector missing from a short image without end in
// some of its modes.
std::unique_ptr<SectorReader> createPlainReader(CdIo_t *cdio);

// libcdio-paranoia with its verification and a few retries per sector, for
// real drives; null when paranoia cannot use the drive. It must not be asked
// for sectors past the lead-out: it retries those without end. `cdio` stays owned by
// the caller and must outlive the reader.
std::unique_ptr<SectorReader> createParanoiaReader(CdIo_t *cdio);

}  // namespace cd
