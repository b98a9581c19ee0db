// Draws the textures shipped with the player into a textures folder:
//   ludro-textures FOLDER

#include "textures.h"

#include <QGuiApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    // Drawn off screen: the build may run where no display is.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: ludro-textures FOLDER\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const TextureSet builtin = TextureSet::builtin();
    for (const TextureArt &texture : {paintEmber(builtin), paintMoss(builtin)})
        if (!art::writeTexture(texture, folder + '/' + texture.info.name))
            return 1;
    return 0;
}
