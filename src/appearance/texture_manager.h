#pragma once

// The texture every window shows. Setting another one tells the windows to
// draw themselves anew; what a texture loader returns is handed in here.

#include "appearance/texture_set.h"

#include <QObject>
#include <QString>

#include <memory>

class TextureManager : public QObject {
    Q_OBJECT

public:
    // The built-in texture's name in the settings.
    static inline const QString BuiltinName = QStringLiteral("- Ludro Pro -");

    // Holds the built-in texture.
    explicit TextureManager(QObject *parent = nullptr);

    std::shared_ptr<const TextureSet> texture() const { return texture_; }
    QString name() const { return name_; }
    // No texture keeps the present one.
    void setTexture(const QString &name, std::shared_ptr<const TextureSet> texture);

signals:
    void textureChanged();

private:
    QString name_ = BuiltinName;
    std::shared_ptr<const TextureSet> texture_;
};
