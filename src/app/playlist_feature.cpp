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
      window_({QStringLiteral("playlist.html"),
               true,
               {&Settings::playListX, &Settings::playListY, &Settings::playListW, &Settings::playListH, correctedSize,
                true},
               &Settings::plVis},
              [this, &app] {
                  auto form = std::make_unique<TPLForm>(app.playlist, app.dialogs, app.textures);
                  form->columnWidths = app.settings.titleWidth;
                  connect(form.get(), &TPLForm::fontSizeChanged, this,
                          [&app](int points) { app.settings.fontSize = points; });
                  connect(form.get(), &TPLForm::transportRequested, this,
                          [&app](const QString &command) { app.remote.execute(command.toLatin1().constData()); });
                  applyFont(*form);
                  emit formMade(*form);
                  return form;
              })
{
    TMainForm &main = app.mainForm;
    connect(&main, &TMainForm::playlistClicked, this, [this] { form().setVisible(!form().isVisible()); });
    connect(&main, &TMainForm::playlistEntryFocused, this, [this](int index) {
        if (TPLForm *shown = window_.existing())
            shown->focusEntry(index);
    });
    connect(&main, &TMainForm::filesDropped, this, [this](const QStringList &names) { dropOnMainWindow(names); });
}

void PlaylistFeature::restore()
{
    app.playlist.keepSorted = app.settings.sortList;
    app.playlist.musicGroup = app.settings.musicGroup;
}

void PlaylistFeature::store()
{
    if (TPLForm *made = window_.existing()) {
        made->storeColumnWidths();
        app.settings.titleWidth = made->columnWidths;
    }
    app.settings.songPlaying = app.playlist.currentIndex();
    app.settings.sortList = app.playlist.keepSorted;
    app.settings.musicGroup = app.playlist.musicGroup;
}

void PlaylistFeature::applyTexts(const Messages &messages)
{
    if (TPLForm *made = window_.existing())
        made->applyTexts(messages);
}

void PlaylistFeature::bindCommands(RemoteControl &remote)
{
    remote.bind("playlist", [this](int) { form().setVisible(!form().isVisible()); });
    // The selection is the playlist window's: without the window there is none.
    remote.bind("select-all", [this](int) {
        if (TPLForm *made = window_.existing())
            made->action(QStringLiteral("Playlist_Edit_SelAll"))->trigger();
    });
    remote.bind("delete-selected", [this](int) {
        if (TPLForm *made = window_.existing())
            made->action(QStringLiteral("Playlist_Del_Sel"))->trigger();
    });
}

void PlaylistFeature::applyFont()
{
    if (TPLForm *made = window_.existing())
        applyFont(*made);
}

// An empty face is the texture's own font.
void PlaylistFeature::applyFont(TPLForm &form)
{
    const Settings &s = app.settings;
    const std::optional<TextureColor> colour = parseTextureColor(s.fontColor);
    form.setUserFont(s.fontName, s.fontStyle,
                     colour && !s.fontName.isEmpty() ? std::optional(toQColor(*colour)) : std::nullopt);
    form.setFontSize(s.fontSize);
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
