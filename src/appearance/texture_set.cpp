#include "appearance/texture_set.h"

#include "appearance/window_shape.h"

#include <QDataStream>
#include <QResource>

namespace {

// Drawn by our own code when the program was built (draw_builtin_texture.cpp):
// width, height and premultiplied pixels.
QImage drawn(const char *name)
{
    QByteArray bytes = QResource(QStringLiteral(":/builtin-texture/%1.argb").arg(QLatin1String(name))).uncompressedData();
    QDataStream in(bytes);
    qint32 width = 0, height = 0;
    in >> width >> height;
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull() || in.readRawData(reinterpret_cast<char *>(image.bits()), int(image.sizeInBytes())) != image.sizeInBytes())
        qFatal("the built-in texture's picture %s is missing", name);
    return image;
}

TextureSet readBuiltin()
{
    TextureSet texture;
    TexturePictures &pictures = texture.pictures;
    pictures.main = drawn("main");
    pictures.selected = drawn("selected");
    pictures.coolBarMain = drawn("coolbar");
    pictures.coolBarSelected = drawn("coolbar-selected");
    pictures.equalizer = drawn("equalizer");
    pictures.playlist = drawn("playlist");
    pictures.browser = drawn("browser");
    pictures.recorder = drawn("recorder");
    pictures.status = drawn("status");
    pictures.numbers = drawn("numbers");
    pictures.positionKnob = drawn("position-knob");
    pictures.positionKnobPressed = drawn("position-knob-pressed");
    pictures.volumeKnob = drawn("volume-knob");
    pictures.volumeKnobPressed = drawn("volume-knob-pressed");
    texture.mainShape = builtinWindowShape();

    texture.info.name = "Ludro Pro 2.0";
    texture.info.author = "The Ludro Pro authors";
    texture.info.comment = "Default Texture for Ludro Pro. Created in July 1999.";
    return texture;
}

}  // namespace

TextureSet TextureSet::builtin()
{
    static const TextureSet texture = readBuiltin();
    return texture;
}

QRect statusPictureRect(int playerState)
{
    // Playing at x 0, stopped at x 11, paused at x 22.
    const int column = playerState == 1 ? 0 : playerState == 2 ? 2 : 1;
    return {11 * column, 0, 11, 13};
}
