#include "tag_feature.h"

#include "app/main_form.h"
#include "app/main_menu.h"
#include "core/playback_controller.h"
#include "language/window_texts.h"
#include "platform/data_folders.h"

#include <QAction>
#include <QFileInfo>

TagFeature::TagFeature(AppContext &app)
    : Feature(app), editor_({QStringLiteral("tags.html")}, [this, &app] {
          auto editor = std::make_unique<TID3Form>(app.playlist, app.dialogs);
          editor->OnTagChanged = [this, &app](const QString &path) {
              app.playback.TagChanged(path);
              listScan_.rescan(path);
          };
          return editor;
      }),
      cache_(app.folders.user() + QStringLiteral("SongCache.dat")), scanner_(cache_), listScan_(app.playlist, scanner_)
{
    // A finished scan is kept at once, so a crash later loses none of it.
    QObject::connect(&scanner_, &SongScanner::finished, &scanner_, [this] { scanner_.saveCache(); });
    QObject::connect(&app.mainForm, &TMainForm::infoClicked, &app.mainForm, [this] { openCurrentSong(); });
    app.menu.informationAction()->setEnabled(true);
    QObject::connect(app.menu.informationAction(), &QAction::triggered, &app.menu, [this] { openCurrentSong(); });
}

TagFeature::~TagFeature()
{
    scanner_.stop();
    cache_.save();
}

void TagFeature::applyTexts(const Messages &messages)
{
    if (TID3Form *form = editor_.existing())
        ::applyTexts(*form, messages);
}

void TagFeature::openCurrentSong()
{
    const PlaybackController &c = app.playback;
    if (!c.songLoaded() || c.cdMode() || PlaylistModel::isNetworkEntry(c.currentFile()))
        return;
    const SongInformation &i = c.information();
    editor().setFileInformation({i.size, i.mpeg, i.layer, i.bitrate, i.frequency, i.channelMode});
    editor().OpenTagEditor(c.currentFile(), app.playlist.currentIndex() + 1);
}

void TagFeature::openEntry(int index)
{
    const QString path = app.playlist.entryPath(index);
    if (!QFileInfo(path).isFile())
        return;
    editor().setFileInformation({});
    editor().OpenTagEditor(path, index + 1);
}
