// The settings' way into the windows at start and back into the file at exit.

#include "ludro_app.h"

#include "core/volume_balance.h"

void LudroApp::applySettings()
{
    controller_.repeat = settings_.repeat;
    controller_.shuffle = settings_.random;
    controller_.timeElapsed = settings_.elapsed;
    controller_.showTimeInTitle = settings_.showTime;
    controller_.songDir = settings_.songDir;
    playlist_.keepSorted = settings_.sortList;
    playlist_.musicGroup = settings_.musicGroup;
    plForm_.setFontSize(settings_.fontSize);
    plForm_.refresh();
    form_.showRepeat(settings_.repeat);
    form_.showShuffle(settings_.random);
    if (settings_.onTop)
        controller_.ToggleAlwaysOnTop();
    form_.move(settings_.leftPos, settings_.topPos);
    form_.showVolume(settings_.volume);
    form_.showBalance(settings_.balance);
    form_.setLevelSlidersLocked(settings_.useVolume);
    // The knobs and the sound agree from the start.
    player_.SetOutputVolume(static_cast<uint8_t>(settings_.balance), static_cast<uint8_t>(settings_.volume), 255);
}

// Nothing is written after "/noSave" or when start-up never finished.
void LudroApp::saveSettings()
{
    if (noSave_ || startupPending_)
        return;
    settings_.leftPos = form_.x();
    settings_.topPos = form_.y();
    settings_.repeat = controller_.repeat;
    settings_.random = controller_.shuffle;
    settings_.elapsed = controller_.timeElapsed;
    settings_.onTop = controller_.alwaysOnTop;
    settings_.songDir = controller_.songDir;
    settings_.songPlaying = playlist_.currentIndex;
    settings_.sortList = playlist_.keepSorted;
    settings_.musicGroup = playlist_.musicGroup;
    settings_.fontSize = plForm_.fontSize();
    storeSoundSettings();
    const QString path = settingsPath(programFolder_);
    platform::ProfileFile file = platform::ProfileFile::load(path);
    settings_.write(file, programFolder_);
    file.save(path);
}

// Timer1 keeps the position and title hints up to date; the level hints
// change with their knobs.
void LudroApp::updateHints()
{
    const int duration = static_cast<int>(controller_.durationSeconds);
    if (duration > 0)
        form_.setHint(TMainForm::Hint::Position,
                      QStringLiteral("%1%").arg(static_cast<int>(controller_.positionSeconds) * 100 / duration));
    const QString title = form_.titleText();
    form_.setHint(TMainForm::Hint::Title, playlist_.entryCount() < 2
                                              ? title
                                              : QStringLiteral("%1. %2").arg(playlist_.currentIndex + 1).arg(title));
    form_.setHint(TMainForm::Hint::Volume, QStringLiteral("%1%").arg(settings_.volume));
    form_.setHint(TMainForm::Hint::Balance, balanceHint(settings_.balance));
}

void LudroApp::setVolume(int volume)
{
    settings_.volume = volume;
    player_.SetOutputVolume(255, static_cast<uint8_t>(volume), 255);
    form_.showVolume(volume);
}

void LudroApp::setBalance(int balance)
{
    settings_.balance = balance;
    player_.SetOutputVolume(static_cast<uint8_t>(balance), static_cast<uint8_t>(settings_.volume), 255);
    form_.showBalance(balance);
}
