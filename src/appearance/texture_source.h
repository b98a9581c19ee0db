#pragma once

// Where a texture's files come from: a folder of textures/, or a zipped
// skin. Loaders read through this and never touch the disk
// themselves, so they can be given anything.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

class TextureSource {
public:
    virtual ~TextureSource() = default;

    // The file `name`, found without regard to letter case (the exact
    // spelling first); nothing when it is missing, unreadable or larger
    // than `limit` bytes.
    virtual std::optional<QByteArray> file(const QString &name, qint64 limit) const = 0;
    // The name the texture goes by where it lies.
    virtual QString name() const = 0;
};

// A texture folder, listed once; its files are read by their full paths.
class TextureFolder final : public TextureSource {
public:
    // `path` without a trailing "/".
    explicit TextureFolder(const QString &path);

    // The folder exists and its files can be read.
    bool usable() const;
    std::optional<QByteArray> file(const QString &name, qint64 limit) const override;
    QString name() const override;

private:
    QString path_;
    QStringList files_;
};
