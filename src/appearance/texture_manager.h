#pragma once

// The texture every window shows. Choosing another one loads it first and
// keeps the present texture when it cannot be used; a texture that is
// taken tells the windows to draw themselves anew.

#include "appearance/texture_set.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

class TextureManager : public QObject {
    Q_OBJECT

public:
    // The built-in texture's name in the settings and the texture list.
    static inline const QString BuiltinName = QStringLiteral("- Ludro Pro -");

    // Holds the built-in texture; `texturesFolders` (each ending with "/")
    // hold the texture folders, an earlier one's texture hiding a later
    // one's of the same name.
    explicit TextureManager(QStringList texturesFolders = {}, QObject *parent = nullptr);

    std::shared_ptr<const TextureSet> texture() const { return texture_; }
    QString name() const { return name_; }
    // The built-in texture's name, the texture folders' names, then the
    // zipped skins' file names.
    QStringList names() const;

    // Loads the texture of that name and takes it; false, with the reason,
    // when it cannot be used.
    bool apply(const QString &name, QString *error = nullptr);
    // No texture keeps the present one.
    void setTexture(const QString &name, std::shared_ptr<const TextureSet> texture);

    // How big the skinned windows show their skin pixels: 1, 1.5, 2 or 3.
    qreal windowScale() const { return windowScale_; }
    void setWindowScale(qreal scale);

signals:
    void textureChanged();
    void windowScaleChanged();

private:
    QStringList texturesFolders_;
    QString name_ = BuiltinName;
    std::shared_ptr<const TextureSet> texture_;
    qreal windowScale_ = 1;
};
