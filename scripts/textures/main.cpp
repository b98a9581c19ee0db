// Draws the textures shipped with the player into a textures folder, each
// from its description file NAME.ini in SOURCE, and the Winamp skin Alloy:
//   ludro-textures SOURCE FOLDER

#include "textures.h"

#include "appearance/texture_description.h"

#include <QFile>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    // Drawn off screen: the build may run where no display is.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: ludro-textures SOURCE FOLDER\n");
        return 2;
    }
    const QString source = QString::fromLocal8Bit(argv[1]), folder = QString::fromLocal8Bit(argv[2]);
    const TextureSet builtin = TextureSet::builtin();
    for (const auto &[name, paint] : {std::pair{"Ember", &paintEmber}, {"Moss", &paintMoss}}) {
        QFile ini(source + '/' + name + ".ini");
        if (!ini.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "cannot read %s\n", qPrintable(ini.fileName()));
            return 1;
        }
        TextureArt texture{{}, {}, {}, ini.readAll()};
        readTextureIni(texture.description, true, texture.layout, texture.info);
        paint(texture, builtin);
        if (!art::writeTexture(texture, folder + '/' + name))
            return 1;
    }
    TextureArt alloy;
    paintAlloy(alloy, builtin);
    if (!art::writeTexture(alloy, folder + "/Alloy"))
        return 1;
    QFile colours(folder + "/Alloy/pledit.txt");
    const QByteArray text = alloyPlaylistColours();
    if (!colours.open(QIODevice::WriteOnly) || colours.write(text) != text.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(colours.fileName()));
        return 1;
    }
    return 0;
}
