#pragma once

// A zipped Winamp skin (".wsz") read in place: nothing is unpacked to
// disk. Only members with plain names count; a member is read only when
// its size fits the caller's limit, and all reads together stay within
// MaxArchiveBytes, so a hostile archive costs bounded memory and time.

#include "appearance/texture_source.h"

#include <memory>
#include <vector>

typedef struct zip zip_t;

inline constexpr qint64 MaxArchiveBytes = 128 * 1024 * 1024;

class TextureArchive final : public TextureSource {
public:
    explicit TextureArchive(const QString &path);
    ~TextureArchive() override;

    // The file is a zip archive libzip can read.
    bool usable() const { return archive_ != nullptr; }
    std::optional<QByteArray> file(const QString &name, qint64 limit) const override;
    QString name() const override;

private:
    QString path_;
    zip_t *archive_ = nullptr;
    QStringList names_;
    std::vector<std::pair<quint64, qint64>> members_;  // index and size, as names_
    mutable qint64 unpacked_ = 0;
};

// A texture name that names an archive rather than a folder.
bool isTextureArchiveName(const QString &name);
