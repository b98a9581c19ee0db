// The tag editor, the equalizer and the pitch window: opened from the main
// window and its menu, their requests applied by the main window's timers,
// their places and values kept in the settings.

#include "ludro_app.h"

#include "app/window_place.h"

#include <QFileInfo>

void LudroApp::connectSoundWindows()
{
    auto &c = controller_;
    QObject::connect(&form_, &TMainForm::equalizerClicked, [this] { eqForm_.setVisible(!eqForm_.isVisible()); });
    QObject::connect(&form_, &TMainForm::infoClicked, [this] { openCurrentSongTag(); });
    QObject::connect(&plForm_, &TPLForm::id3TagRequested, [this](int index) { openPlaylistTag(index); });
    menu_.equalizerAction()->setEnabled(true);
    QObject::connect(menu_.equalizerAction(), &QAction::triggered, [this] { eqForm_.show(); });
    menu_.informationAction()->setEnabled(true);
    QObject::connect(menu_.informationAction(), &QAction::triggered, [this] { openCurrentSongTag(); });
    menu_.pitchAction()->setEnabled(true);
    QObject::connect(menu_.pitchAction(), &QAction::triggered, [this] { showPitchWindow(); });

    pitchForm_.OnPitchChange = [&c](int value) { c.setPitch(value); };
    tagForm_.OnTagChanged = [&c](const QString &path) { c.TagChanged(path); };
    QObject::connect(&c, &PlaybackController::songChanged, [this] { eqForm_.inputOpened(); });
}

// The tag button: the current song, with the playing stream's information.
void LudroApp::openCurrentSongTag()
{
    const auto &c = controller_;
    if (!c.songLoaded() || c.cdMode() || PlaylistModel::isNetworkEntry(c.currentFile()))
        return;
    const SongInformation &i = c.information();
    tagForm_.setFileInformation({i.size, i.mpeg, i.layer, i.bitrate, i.frequency, i.channelMode});
    tagForm_.OpenTagEditor(c.currentFile(), playlist_.currentIndex() + 1);
}

void LudroApp::openPlaylistTag(int index)
{
    const QString path = playlist_.entryPath(index);
    if (!QFileInfo(path).isFile())
        return;
    tagForm_.setFileInformation({});
    tagForm_.OpenTagEditor(path, index + 1);
}

void LudroApp::showPitchWindow()
{
    if (!output_.directSound())
        dialogs_.information(language_.messages().text("Info_Message2"));
    pitchForm_.show();
}

void LudroApp::applySoundSettings()
{
    eqForm_.setStoredValues(settings_.eq);
    eqForm_.setUseEqualizer(settings_.useEqualizer);
    eqForm_.move(settings_.equalizerX, settings_.equalizerY);
    eqForm_.resize(std::max(correctedEqualizerWidth(settings_.equalizerW), eqForm_.minimumWidth()),
                   TEQForm::WindowHeight);
}

void LudroApp::storeSoundSettings()
{
    settings_.eq = eqForm_.storedValues();
    settings_.useEqualizer = eqForm_.UseEqualizer();
    settings_.equalizerX = eqForm_.x();
    settings_.equalizerY = eqForm_.y();
    settings_.equalizerW = eqForm_.width();
}

void LudroApp::applyEqualizer()
{
    eqForm_.ApplyEqualizer([this](const SK_EqualizerInfo *record) { player_.SetCodecEqualizer(record); });
}
