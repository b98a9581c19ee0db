#include "main_menu.h"

#include "app/command_keys.h"
#include "core/playback_controller.h"

#include "language/window_texts.h"
#include "platform/plain_text.h"

#include <QActionGroup>

#include <utility>

namespace {

// Named by its key in the message table, which gives it its text.
QAction *item(QMenu *menu, const char *key)
{
    QAction *action = menu->addAction(QString());
    action->setObjectName(QString::fromLatin1(key));
    return action;
}

template <typename Slot>
QAction *item(QMenu *menu, const char *key, Slot slot)
{
    QAction *action = item(menu, key);
    QObject::connect(action, &QAction::triggered, menu, slot);
    return action;
}

// An item that runs a command of the table and shows its keys.
QAction *command(QMenu *menu, const char *key, const char *name, const std::function<void(const char *)> &run)
{
    QAction *action = item(menu, key, [run, name] { run(name); });
    action->setShortcuts(keysOf(name));
    return action;
}

QAction *disabled(QMenu *menu, const char *key)
{
    QAction *action = item(menu, key);
    action->setEnabled(false);
    return action;
}

QMenu *submenu(QMenu *menu, const char *key)
{
    QMenu *sub = menu->addMenu(QString());
    sub->menuAction()->setObjectName(QString::fromLatin1(key));
    return sub;
}

}  // namespace

MainMenu::MainMenu(PlaybackController &controller, Commands commands, QWidget *parent)
    : QMenu(parent), controller_(controller)
{
    disabled(this, "Pop_About");
    addSeparator();
    load_ = item(this, "Pop_Load", commands.load);
    url_ = item(this, "Pop_URL", commands.url);
    cdMode_ = item(this, "Pop_CD", commands.cdMode);
    recent_ = submenu(this, "Pop_Recent");
    recent_->menuAction()->setVisible(false);
    addSeparator();
    disabled(this, "Pop_Playlist");
    equalizer_ = disabled(this, "Pop_EQ");
    browser_ = disabled(this, "Pop_Browser");
    recorder_ = item(this, "Pop_Recorder");
    information_ = disabled(this, "Pop_ID3");
    audio_ = submenu(this, "Pop_Audio");
    audioRecorder_ = item(audio_, "Audio_Recorder");
    converter_ = item(audio_, "Audio_Converter");
    addSeparator();

    QMenu *options = submenu(this, "Pop_Options");
    preferences_ = item(options, "Options_Prefs");
    browseTextures_ = item(options, "Options_Textures");
    onTop_ = item(options, "Options_OnTop", [this] { controller_.ToggleAlwaysOnTop(); });
    coolBar_ = item(options, "Options_Coolbar");
    coolBar_->setCheckable(true);
    doubleSize_ = item(options, "Options_DoubleSize");
    doubleSize_->setCheckable(true);
    doubleSize_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    size_ = submenu(options, "Options_Size");
    auto *sizes = new QActionGroup(size_);
    const std::pair<int, const char *> sizeItems[] = {{100, "1x"}, {150, "1.5x"}, {200, "2x"}, {300, "3x"}};
    for (const auto &[percent, text] : sizeItems) {
        QAction *size = size_->addAction(QString::fromLatin1(text));
        size->setData(percent);
        size->setCheckable(true);
        sizes->addAction(size);
    }
    options->addSeparator();
    elapsed_ = item(options, "Options_Elapsed", [this] { controller_.SetTimeElapsed(true); });
    remaining_ = item(options, "Options_Remain", [this] { controller_.SetTimeElapsed(false); });

    QMenu *playback = submenu(this, "Pop_Playback");
    const auto &run = commands.run;
    command(playback, "Playback_Play", "play", run);
    command(playback, "Playback_Stop", "stop", run);
    command(playback, "Playback_Pause", "pause", run);
    command(playback, "Playback_Next", "next", run);
    command(playback, "Playback_Previous", "previous", run);
    command(playback, "Playback_Jump", "jump-to-song", run);
    playback->addSeparator();
    pitch_ = disabled(playback, "Playback_Pitch");
    item(playback, "Playback_JumpF", [this] { controller_.SeekForward(); });
    item(playback, "Playback_JumpB", [this] { controller_.SeekBack(); });
    command(playback, "Playback_StepF", "step-forward", run);
    command(playback, "Playback_StepB", "step-back", run);
    command(playback, "Playback_VolUp", "volume-up", run);
    command(playback, "Playback_VolDown", "volume-down", run);
    playback->addSeparator();
    repeat_ = item(playback, "Playback_Repeat", [this] { controller_.ToggleRepeat(); });
    shuffle_ = item(playback, "Playback_Shuffle", [this] { controller_.RandomSongCommand(); });
    addSeparator();
    item(this, "Pop_Exit", commands.exit);

    for (QAction *a : {cdMode_, onTop_, elapsed_, remaining_, repeat_, shuffle_})
        a->setCheckable(true);
    connect(this, &QMenu::aboutToShow, this, &MainMenu::refreshChecks);
    refreshChecks();
    applyTexts(*this, Messages());
}

void MainMenu::refreshChecks()
{
    cdMode_->setChecked(controller_.cdMode());
    onTop_->setChecked(controller_.alwaysOnTop());
    elapsed_->setChecked(controller_.timeElapsed());
    remaining_->setChecked(!controller_.timeElapsed());
    repeat_->setChecked(controller_.repeat());
    shuffle_->setChecked(controller_.shuffle());
}

void MainMenu::showRecentFiles(const std::array<QString, 10> &files, const std::function<void(const QString &)> &open)
{
    recent_->clear();
    for (const QString &file : files)
        if (!file.isEmpty())
            recent_->addAction(platform::plainMenuText(file), [open, file] { open(file); });
    recent_->menuAction()->setVisible(!recent_->isEmpty() && !controller_.cdMode());
}

void MainMenu::setCdMode(bool on)
{
    cdMode_->setChecked(on);
    for (QAction *a : {load_, url_, repeat_, shuffle_})
        a->setVisible(!on);
    recent_->menuAction()->setVisible(!recent_->isEmpty() && !on);
}
