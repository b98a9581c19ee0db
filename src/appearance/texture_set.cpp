#include "appearance/texture_set.h"

#include "appearance/builtin_pictures.h"
#include "appearance/window_shape.h"

namespace {

TextureSet paintBuiltin()
{
    TextureSet texture;
    const TextureLayout &layout = texture.layout;
    TexturePictures &pictures = texture.pictures;
    pictures.main = paintMainPicture(layout.main, false);
    pictures.selected = paintMainPicture(layout.main, true);
    pictures.coolBarMain = paintCoolBarPicture(layout.coolBar, false);
    pictures.coolBarSelected = paintCoolBarPicture(layout.coolBar, true);
    pictures.equalizer = paintEqualizerPicture();
    pictures.playlist = paintPlaylistPicture(layout.playlist);
    pictures.browser = paintBrowserPicture();
    pictures.recorder = paintRecorderPicture();
    pictures.status = paintStatusPicture();
    pictures.numbers = paintDigitsPicture(QSize(layout.main.counter.width() / 5, layout.main.counter.height()));
    const SliderGeometry &time = layout.main.scrollerTime;
    pictures.positionKnob = paintPositionKnob(QSize(time.width, time.height), false);
    pictures.positionKnobPressed = paintPositionKnob(QSize(time.width, time.height), true);
    const SliderGeometry &volume = layout.main.scrollerVolume;
    pictures.volumeKnob = paintRoundKnob(QSize(volume.width, volume.height), false);
    pictures.volumeKnobPressed = paintRoundKnob(QSize(volume.width, volume.height), true);
    texture.mainShape = builtinWindowShape();

    texture.info.name = "Ludro Pro 2.0";
    texture.info.author = "The Ludro Pro authors";
    texture.info.comment = "Default Texture for Ludro Pro. Created in July 1999.";
    return texture;
}

}  // namespace

TextureSet TextureSet::builtin()
{
    static const TextureSet texture = paintBuiltin();
    return texture;
}

QRect statusPictureRect(int playerState)
{
    // Playing at x 0, stopped at x 11, paused at x 22.
    const int column = playerState == 1 ? 0 : playerState == 2 ? 2 : 1;
    return {11 * column, 0, 11, 13};
}
