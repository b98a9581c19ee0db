#include "playlist_feature.h"

#include "app/main_form.h"
#include "app/window_place.h"
#include "appearance/texture_color.h"
#include "core/remote_control.h"
#include "platform/data_folders.h"
#include "platform/dialogs.h"
#include "playlist/file_drop.h"
#include "playlist/playlist_file.h"

#include <QGuiApplication>
#include <QScreen>

namespace {

QSize correctedSize(QSize stored)
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return correctedPlaylistSize(stored, screen ? screen->geometry().height() : 1024);
}

}  // namespace

PlaylistFeature::PlaylistFeature(AppContext &app)
    : Feature(app),
      window_({QStringLiteral("playlist.html"), true,
               {&Settings::playListX, &Settings::playListY, &Settings::playListW, &Settings::playListH, correctedSize},
               &Settings::plVis},
              [&app] { return std::make_unique<TPLForm>(app.playlist, app.dialogs, app.textures); })
{
    TMainForm &main = app.mainForm;
    QObject::connect(&main, &TMainForm::playlistClicked, &main, [this] { form().setVisible(!form().isVisible()); });
    QObject::connect(&main, &TMainForm::playlistEntryFocused, &main, [this](int index) { form().focusEntry(index); });
    QObject::connect(&main, &TMainForm::filesDropped, &main, [this](const QStringList &names) { dropOnMainWindow(names); });
    QObject::connect(&form(), &TPLForm::fontSizeChanged, &form(),
                     [&app](int points) { app.settings.fontSize = points; });
}

void PlaylistFeature::restore()
{
    form().columnWidths = app.settings.titleWidth;
    app.playlist.keepSorted = app.settings.sortList;
    app.playlist.musicGroup = app.settings.musicGroup;
    applyFont();
}

void PlaylistFeature::store()
{
    form().storeColumnWidths();
    app.settings.titleWidth = form().columnWidths;
    app.settings.songPlaying = app.playlist.currentIndex();
    app.settings.sortList = app.playlist.keepSorted;
    app.settings.musicGroup = app.playlist.musicGroup;
}

void PlaylistFeature::applyTexts(const Messages &messages)
{
    form().applyTexts(messages);
}

void PlaylistFeature::bindCommands(RemoteControl &remote)
{
    remote.bind("playlist", [this](int) { form().setVisible(!form().isVisible()); });
}

// An empty face is the texture's own font.
void PlaylistFeature::applyFont()
{
    const Settings &s = app.settings;
    const std::optional<TextureColor> colour = parseTextureColor(s.fontColor);
    form().setUserFont(s.fontName, s.fontStyle,
                       colour && !s.fontName.isEmpty() ? std::optional(toQColor(*colour)) : std::nullopt);
    form().setFontSize(s.fontSize);
}

void PlaylistFeature::saveDefaultPlaylist()
{
    if (app.playlist.entryCount() == 0)
        return;
    playlist_files::writePlaylistFile(app.playlist, app.folders.user() + QStringLiteral("Ludro.m3u"));
}

void PlaylistFeature::dropOnMainWindow(const QStringList &names)
{
    const QStringList errors =
        file_drop::dropOnMainWindow(app.playlist, names, {app.settings.clearList, app.settings.startPlay});
    for (const QString &error : errors)
        app.dialogs.error(error);
}
