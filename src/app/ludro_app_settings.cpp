// The settings' way into the windows at start and back into the file at exit.

#include "ludro_app.h"

#include "app/hints.h"
#include "core/volume_balance.h"

#include <cstdio>
#include <utility>

void LudroApp::applySettings()
{
    // A texture that cannot be used leaves the built-in one, and the
    // setting as it was.
    textures_.apply(settings_.texture);
    language_.choose(settings_.language);
    languageAgain_ = true;
    form_.setNormalMode(settings_.mode);
    controller_.setRepeat(settings_.repeat);
    controller_.setShuffle(settings_.random);
    controller_.SetTimeElapsed(settings_.elapsed);
    controller_.setShowTimeInTitle(settings_.showTime);
    cd_.setShowTimeInTitle(settings_.showTime);
    cddbForm_.setServer(settings_.cddbServer);
    cddbForm_.setUserEmail(settings_.userEMail);
    cddbForm_.setCddbEnabled(settings_.cddbEnabled);
    controller_.setSongDir(settings_.songDir);
    playlist_.keepSorted = settings_.sortList;
    playlist_.musicGroup = settings_.musicGroup;
    applyPlaylistFont();
    if (settings_.onTop)
        controller_.ToggleAlwaysOnTop();
    form_.move(settings_.leftPos, settings_.topPos);
    form_.showVolume(volume_.volume());
    form_.showBalance(volume_.balance());
    form_.setLevelSlidersLocked(settings_.useVolume);
}

// Nothing is written after "/noSave" or when start-up never finished.
void LudroApp::saveSettings(bool atExit)
{
    if (noSave_ || startupPending_)
        return;
    settings_.leftPos = form_.x();
    settings_.topPos = form_.y();
    settings_.repeat = controller_.repeat();
    settings_.random = controller_.shuffle();
    settings_.elapsed = controller_.timeElapsed();
    settings_.onTop = controller_.alwaysOnTop();
    settings_.songDir = controller_.songDir();
    settings_.volume = volume_.volume();
    settings_.balance = volume_.balance();
    settings_.directSound = output_.directSound();
    settings_.playMode = output_.playMode();
    settings_.songPlaying = playlist_.currentIndex();
    settings_.sortList = playlist_.keepSorted;
    settings_.musicGroup = playlist_.musicGroup;
    settings_.mode = form_.normalMode();
    storeSoundSettings();
    storeBrowserSettings();
    storeRecorderSettings();
    const QString path = settingsPath(folders_.user());
    platform::ProfileFile file = platform::ProfileFile::load(path);
    settings_.write(file, folders_.user());
    QString error;
    if (file.save(path, &error) || std::exchange(settingsFailureSaid_, true))
        return;
    const QString text =
        QStringLiteral("The settings cannot be saved to %1 (%2); changes to them last only until the player ends.")
            .arg(path, error);
    // Windows closing because the program quits save too.
    if (atExit || quitWatch_.quitting())
        std::fprintf(stderr, "ludro: %s\n", qPrintable(text));
    else
        dialogs_.error(text);
}

// Timer1 keeps the hints up to date.
void LudroApp::updateHints()
{
    form_.setHint(TMainForm::Hint::Volume, QStringLiteral("%1%").arg(volume_.volume()));
    form_.setHint(TMainForm::Hint::Balance, balanceHint(volume_.balance(), language_.messages()));
    if (controller_.cdMode())
        return;  // the disc's poll keeps the title's hint
    if (const QString position = positionHint(controller_.positionSeconds(), controller_.durationSeconds());
        !position.isEmpty())
        form_.setHint(TMainForm::Hint::Position, position);
    form_.setHint(TMainForm::Hint::Title,
                  titleHint(form_.titleText(), playlist_.entryCount(), playlist_.currentIndex()));
}
