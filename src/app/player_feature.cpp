#include "player_feature.h"

#include "app/hints.h"
#include "app/main_form.h"
#include "app/main_menu.h"
#include "app/recent_files.h"
#include "core/playback_controller.h"
#include "core/remote_control.h"
#include "core/volume_balance.h"
#include "core/volume_control.h"
#include "language/language.h"
#include "platform/dialogs.h"

#include <QFileInfo>

PlayerFeature::PlayerFeature(AppContext &app) : Feature(app)
{
    TMainForm &form = app.mainForm;
    PlaybackController &c = app.playback;
    QObject::connect(&form, &TMainForm::playClicked, &c, &PlaybackController::PlayCommand);
    QObject::connect(&form, &TMainForm::pauseClicked, &c, &PlaybackController::PauseCommand);
    QObject::connect(&form, &TMainForm::stopClicked, &c, &PlaybackController::StopCommand);
    QObject::connect(&form, &TMainForm::loadClicked, &c, &PlaybackController::LoadCommand);
    QObject::connect(&form, &TMainForm::previousClicked, &c, &PlaybackController::PreviousSong);
    QObject::connect(&form, &TMainForm::nextClicked, &c, &PlaybackController::NextSong);
    QObject::connect(&form, &TMainForm::rewindClicked, &c, &PlaybackController::SeekBack);
    QObject::connect(&form, &TMainForm::forwardClicked, &c, &PlaybackController::SeekForward);
    QObject::connect(&form, &TMainForm::repeatClicked, &c, &PlaybackController::ToggleRepeat);
    QObject::connect(&form, &TMainForm::shuffleClicked, &c, &PlaybackController::RandomSongCommand);
    QObject::connect(&form, &TMainForm::exitClicked, &c, &PlaybackController::ExitCommand);
    QObject::connect(&form, &TMainForm::minimizeClicked, &form, &QWidget::showMinimized);
    QObject::connect(&form, &TMainForm::positionDragged, &c, &PlaybackController::KnobDragged);
    QObject::connect(&form, &TMainForm::positionReleased, &c, &PlaybackController::SeekToKnob);
    QObject::connect(&form, &TMainForm::levelKnobReleased, &c, &PlaybackController::RefreshTitle);
    VolumeControl &volume = app.volume;
    QObject::connect(&form, &TMainForm::volumeDragged, &volume, &VolumeControl::dragVolume);
    QObject::connect(&form, &TMainForm::balanceDragged, &volume, &VolumeControl::dragBalance);
    QObject::connect(&volume, &VolumeControl::volumeChanged, &form, &TMainForm::showVolume);
    QObject::connect(&volume, &VolumeControl::balanceChanged, &form, &TMainForm::showBalance);
    QObject::connect(&volume, &VolumeControl::readOut, &form, &TMainForm::showTitle);
    // A turn of the wheel shows its read-out until the wheel rests a moment.
    wheelRest_.setSingleShot(true);
    wheelRest_.setInterval(1000);
    QObject::connect(&wheelRest_, &QTimer::timeout, &c, &PlaybackController::RefreshTitle);
    QObject::connect(&form, &TMainForm::volumeWheeled, &volume, [this](int steps) {
        this->app.volume.turnVolume(steps);
        wheelRest_.start();
    });
    QObject::connect(&form, &TMainForm::balanceWheeled, &volume, [this](int steps) {
        this->app.volume.turnBalance(steps);
        wheelRest_.start();
    });
    QObject::connect(&c, &PlaybackController::fileChosen, &form, [this](const QString &name) {
        addRecentFile(this->app.settings.recent, name);
        showRecentFiles();
    });
}

void PlayerFeature::restore()
{
    Settings &s = app.settings;
    PlaybackController &c = app.playback;
    c.setRepeat(s.repeat);
    c.setShuffle(s.random);
    c.SetTimeElapsed(s.elapsed);
    c.setShowTimeInTitle(s.showTime);
    c.setSongDir(s.songDir);
    if (s.onTop)
        c.ToggleAlwaysOnTop();
    app.mainForm.move(s.leftPos, s.topPos);
    app.mainForm.showVolume(app.volume.volume());
    app.mainForm.showBalance(app.volume.balance());
    app.mainForm.setLevelSlidersLocked(s.useVolume);
    showRecentFiles();
}

void PlayerFeature::store()
{
    Settings &s = app.settings;
    const PlaybackController &c = app.playback;
    s.leftPos = app.mainForm.x();
    s.topPos = app.mainForm.y();
    s.repeat = c.repeat();
    s.random = c.shuffle();
    s.elapsed = c.timeElapsed();
    s.onTop = c.alwaysOnTop();
    s.songDir = c.songDir();
    s.volume = app.volume.volume();
    s.balance = app.volume.balance();
}

void PlayerFeature::bindCommands(RemoteControl &r)
{
    PlaybackController &c = app.playback;
    VolumeControl &v = app.volume;
    r.bind("open", [&c](int) { c.LoadCommand(); });
    r.bind("load", [&c](int) { c.LoadCommand(); });
    r.bind("previous", [&c](int) { c.PreviousSong(); });
    r.bind("play", [&c](int) { c.PlayCommand(); });
    r.bind("pause", [&c](int) { c.PauseCommand(); });
    r.bind("stop", [&c](int) { c.StopCommand(); });
    r.bind("next", [&c](int) { c.NextSong(); });
    r.bind("volume-up", [&v](int) { v.volumeUp(); });
    r.bind("volume-down", [&v](int) { v.volumeDown(); });
    r.bind("volume", [&v](int volume) { v.setVolume(volume); });
    r.bind("forward", [&c](int) { c.SeekForward(); });
    r.bind("jump-forward", [&c](int) { c.SeekForward(); });
    r.bind("back", [&c](int) { c.SeekBack(); });
    r.bind("jump-back", [&c](int) { c.SeekBack(); });
    r.bind("step-forward", [&c](int) { c.StepForward(); });
    r.bind("step-back", [&c](int) { c.StepBack(); });
    r.bind("repeat", [&c](int) { c.ToggleRepeat(); });
    r.bind("shuffle", [&c](int) { c.ToggleShuffle(); });
    r.bind("time", [&c](int) { c.SetTimeElapsed(!c.timeElapsed()); });
    r.bind("play-entry", [&c](int number) { c.PlayEntryNumber(number); });
    r.bind("first", [&c](int) { c.PlayFirstEntry(); });
    r.bind("last", [&c](int) { c.PlayLastEntry(); });
    r.bind("url", [this](int) { openAddress(); });
}

void PlayerFeature::openAddress()
{
    app.playback.OpenAddress(app.dialogs.askAddress());
}

// A recent file that is gone does nothing and keeps its place.
void PlayerFeature::showRecentFiles()
{
    app.menu.showRecentFiles(app.settings.recent, [this](const QString &file) {
        if (!QFileInfo(file).isFile())
            return;
        app.playback.OpenFile(file);
        app.playback.StartPlayback();
    });
}

void PlayerFeature::updateHints()
{
    TMainForm &form = app.mainForm;
    const PlaybackController &c = app.playback;
    form.setHint(TMainForm::Hint::Volume, QStringLiteral("%1%").arg(app.volume.volume()));
    form.setHint(TMainForm::Hint::Balance, balanceHint(app.volume.balance(), app.language.messages()));
    if (c.cdMode())
        return;  // the disc's poll keeps the title's hint
    if (const QString position = positionHint(c.positionSeconds(), c.durationSeconds()); !position.isEmpty())
        form.setHint(TMainForm::Hint::Position, position);
    form.setHint(TMainForm::Hint::Title, titleHint(form.titleText(), app.playlist.entryCount(), app.playlist.currentIndex()));
}

void PlayerFeature::scrollTitle()
{
    TMainForm &form = app.mainForm;
    form.setTitleLeft(titleScroller_.step(form.titleLeft(), form.titleWidth(), form.texture().layout.main.fileNameWidth,
                                          app.settings.autoScroll, form.titleRestingLeft()));
}
