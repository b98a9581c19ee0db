// The playlist window's part in the program: shown and hidden by the main
// window's playlist button, told of the current song, and the keeper of
// the default playlist across runs.

#include "ludro_app.h"

#include "playlist/file_drop.h"
#include "playlist/playlist_file.h"

#include "app/window_place.h"

#include <QGuiApplication>
#include <QScreen>

void LudroApp::connectPlaylistWindow()
{
    QObject::connect(&form_, &TMainForm::playlistClicked, [this] { plForm_.setVisible(!plForm_.isVisible()); });
    QObject::connect(&form_, &TMainForm::playlistEntryFocused, [this](int index) { plForm_.focusEntry(index); });
    QObject::connect(&form_, &TMainForm::filesDropped, [this](const QStringList &names) { dropOnMainWindow(names); });
    plForm_.columnWidths = settings_.titleWidth;
    const QScreen *screen = QGuiApplication::primaryScreen();
    const QSize size = correctedPlaylistSize({settings_.playListW, settings_.playListH},
                                             screen ? screen->geometry().height() : 1024)
                           .boundedTo(TPLForm::MaximumSize)
                           .expandedTo(TPLForm::MinimumSize);
    plForm_.setGeometry(QRect(QPoint(settings_.playListX, settings_.playListY), size));
}

// The window's place, size and column widths go to the settings file.
void LudroApp::storePlaylistWindow()
{
    plForm_.storeColumnWidths();
    settings_.titleWidth = plForm_.columnWidths;
    settings_.playListX = plForm_.x();
    settings_.playListY = plForm_.y();
    settings_.playListW = plForm_.width();
    settings_.playListH = plForm_.height();
}

void LudroApp::dropOnMainWindow(const QStringList &names)
{
    const QStringList errors =
        file_drop::dropOnMainWindow(playlist_, names, {settings_.clearList, settings_.startPlay});
    for (const QString &error : errors)
        dialogs_.error(error);
}

// Background work: a failure keeps the old file and is not shown; an empty
// list leaves the old file for the next start.
void LudroApp::saveDefaultPlaylist()
{
    if (noSave_ || startupPending_ || playlist_.entryCount() == 0)
        return;
    playlist_files::writePlaylistFile(playlist_, folders_.user() + QStringLiteral("Ludro.m3u"));
}
