#include "sector_reader.h"

#include <cdio/paranoia/cdda.h>
#include <cdio/paranoia/paranoia.h>

#include <algorithm>
#include <cstring>

namespace cd {
namespace {

constexpr int paranoiaRetries = 3;

class PlainReader : public SectorReader {
public:
    explicit PlainReader(CdIo_t *cdio) : cdio_(cdio) {}

    void read(int32_t lsn, int count, int16_t *samples) override
    {
        // A short image fills only part of the last sector and still reports success.
        std::fill_n(samples, count * samplesPerSector, int16_t{0});
        if (cdio_read_audio_sectors(cdio_, samples, lsn, static_cast<uint32_t>(count)) == DRIVER_OP_SUCCESS)
            return;
        for (int i = 0; i < count; ++i) {
            int16_t *sector = samples + i * samplesPerSector;
            if (cdio_read_audio_sector(cdio_, sector, lsn + i) != DRIVER_OP_SUCCESS)
                std::fill_n(sector, samplesPerSector, int16_t{0});
        }
    }

private:
    CdIo_t *cdio_;
};

class ParanoiaReader : public SectorReader {
public:
    ParanoiaReader(cdrom_drive_t *drive, cdrom_paranoia_t *paranoia) : drive_(drive), paranoia_(paranoia)
    {
        // Verified reads, but a sector that stays unreadable is given up on.
        cdio_paranoia_modeset(paranoia_, PARANOIA_MODE_FULL ^ PARANOIA_MODE_NEVERSKIP);
    }
    ~ParanoiaReader() override
    {
        cdio_paranoia_free(paranoia_);
        cdio_cddap_close_no_free_cdio(drive_);
    }

    void read(int32_t lsn, int count, int16_t *samples) override
    {
        if (lsn != next_)
            cdio_paranoia_seek(paranoia_, lsn, SEEK_SET);
        for (int i = 0; i < count; ++i) {
            const int16_t *sector = cdio_paranoia_read_limited(paranoia_, nullptr, paranoiaRetries);
            int16_t *out = samples + i * samplesPerSector;
            if (sector)
                std::memcpy(out, sector, samplesPerSector * sizeof(int16_t));
            else
                std::fill_n(out, samplesPerSector, int16_t{0});
        }
        next_ = lsn + count;
    }

private:
    cdrom_drive_t *drive_;
    cdrom_paranoia_t *paranoia_;
    int32_t next_ = -1;
};

}  // namespace

std::unique_ptr<SectorReader> createPlainReader(CdIo_t *cdio)
{
    return std::make_unique<PlainReader>(cdio);
}

std::unique_ptr<SectorReader> createParanoiaReader(CdIo_t *cdio)
{
    cdrom_drive_t *drive = cdio_cddap_identify_cdio(cdio, CDDA_MESSAGE_FORGETIT, nullptr);
    if (!drive)
        return nullptr;
    if (cdio_cddap_open(drive) != 0) {
        cdio_cddap_close_no_free_cdio(drive);
        return nullptr;
    }
    cdrom_paranoia_t *paranoia = cdio_paranoia_init(drive);
    if (!paranoia) {
        cdio_cddap_close_no_free_cdio(drive);
        return nullptr;
    }
    return std::make_unique<ParanoiaReader>(drive, paranoia);
}

}  // namespace cd
