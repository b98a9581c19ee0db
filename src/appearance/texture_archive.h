#pragma once

// A zipped Winamp skin (".wsz") read in place: nothing is unpacked to
// disk, so a member's folder part is harmless. Members are found by their
// base name at any depth ("/" or "\" between folders, as zips made on
// either system have them), without regard to case, the shallowest first.
// A member is read only when its size fits the caller's limit, and all
// reads together stay within MaxArchiveBytes, so a hostile archive costs
// bounded memory and time.

#include "appearance/texture_source.h"

#include <QHash>

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
    struct Member {
        quint64 index;
        qint64 size;
        int depth;
    };
    QHash<QString, Member> members_;  // by lower-case base name
    mutable qint64 unpacked_ = 0;
};

// A texture name that names an archive rather than a folder.
bool isTextureArchiveName(const QString &name);
