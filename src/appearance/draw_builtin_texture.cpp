// Draws the built-in texture's pictures into a folder at build time; the
// program carries them as resources, so no start pays for the drawing.
//   ludro-draw-builtin-texture FOLDER

#include "appearance/builtin_pictures.h"
#include "appearance/texture_layout.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: ludro-draw-builtin-texture FOLDER\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    const TextureLayout layout;
    const SliderGeometry &time = layout.main.scrollerTime;
    const SliderGeometry &volume = layout.main.scrollerVolume;
    const std::pair<const char *, QImage> pictures[] = {
        {"main", paintMainPicture(layout.main, false)},
        {"selected", paintMainPicture(layout.main, true)},
        {"coolbar", paintCoolBarPicture(layout.coolBar, false)},
        {"coolbar-selected", paintCoolBarPicture(layout.coolBar, true)},
        {"equalizer", paintEqualizerPicture()},
        {"playlist", paintPlaylistPicture(layout.playlist)},
        {"browser", paintBrowserPicture()},
        {"recorder", paintRecorderPicture()},
        {"status", paintStatusPicture()},
        {"numbers", paintDigitsPicture(QSize(layout.main.counter.width() / 5, layout.main.counter.height()))},
        {"position-knob", paintPositionKnob(QSize(time.width, time.height), false)},
        {"position-knob-pressed", paintPositionKnob(QSize(time.width, time.height), true)},
        {"volume-knob", paintRoundKnob(QSize(volume.width, volume.height), false)},
        {"volume-knob-pressed", paintRoundKnob(QSize(volume.width, volume.height), true)},
    };
    if (!folder.mkpath(QStringLiteral(".")))
        return 1;
    // Width, height and the premultiplied pixels as they are, so the program
    // shows exactly what was drawn.
    for (const auto &[name, picture] : pictures) {
        QFile file(folder.filePath(QString::fromLatin1(name) + QStringLiteral(".argb")));
        const QImage pixels = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        if (!file.open(QIODevice::WriteOnly)) {
            std::fprintf(stderr, "cannot write %s into %s\n", name, argv[1]);
            return 1;
        }
        QDataStream out(&file);
        out << qint32(pixels.width()) << qint32(pixels.height());
        out.writeRawData(reinterpret_cast<const char *>(pixels.constBits()), int(pixels.sizeInBytes()));
        if (out.status() != QDataStream::Ok || !file.flush()) {
            std::fprintf(stderr, "cannot write %s into %s\n", name, argv[1]);
            return 1;
        }
    }
    return 0;
}
