#include "main_menu.h"

#include "playback_controller.h"

namespace {

QAction *disabled(QMenu *menu, const QString &text)
{
    QAction *action = menu->addAction(text);
    action->setEnabled(false);
    return action;
}

}  // namespace

MainMenu::MainMenu(PlaybackController &controller, Commands commands, QWidget *parent)
    : QMenu(parent), controller_(controller)
{
    disabled(this, QStringLiteral("&About Ludro Pro..."));
    addSeparator();
    load_ = addAction(QStringLiteral("&Load..."), commands.load);
    url_ = addAction(QStringLiteral("&URL..."), commands.url);
    cdMode_ = addAction(QStringLiteral("Play Audio &CD"), commands.cdMode);
    recent_ = addMenu(QStringLiteral("&Recent Files"));
    recent_->menuAction()->setVisible(false);
    addSeparator();
    disabled(this, QStringLiteral("&Playlist Editor"));
    equalizer_ = disabled(this, QStringLiteral("&Equalizer"));
    browser_ = disabled(this, QStringLiteral("Bro&wser"));
    recorder_ = addAction(QStringLiteral("Rec&order"));
    information_ = disabled(this, QStringLiteral("File &Information"));
    QMenu *audio = addMenu(QStringLiteral("Audio Manager"));
    audioRecorder_ = audio->addAction(QStringLiteral("Recorder"));
    converter_ = audio->addAction(QStringLiteral("File Converter"));
    addSeparator();

    QMenu *options = addMenu(QStringLiteral("&Options"));
    disabled(options, QStringLiteral("Preferences..."));
    disabled(options, QStringLiteral("Browse Textures..."));
    onTop_ = options->addAction(QStringLiteral("Always On Top"), [this] { controller_.ToggleAlwaysOnTop(); });
    coolBar_ = options->addAction(QStringLiteral("Cool Bar Mode"));
    coolBar_->setCheckable(true);
    textures_ = options->addMenu(QStringLiteral("&Texture"));
    options->addSeparator();
    elapsed_ = options->addAction(QStringLiteral("Show Time Elapsed"), [this] { controller_.SetTimeElapsed(true); });
    remaining_ =
        options->addAction(QStringLiteral("Show Time Remaining"), [this] { controller_.SetTimeElapsed(false); });

    QMenu *playback = addMenu(QStringLiteral("Play&back"));
    playback->addAction(QStringLiteral("&Play"), [this] { controller_.PlayCommand(); });
    playback->addAction(QStringLiteral("&Stop"), [this] { controller_.StopCommand(); });
    playback->addAction(QStringLiteral("Pa&use (Resume)"), [this] { controller_.PauseCommand(); });
    playback->addAction(QStringLiteral("&Next Song"), [this] { controller_.NextSong(); });
    playback->addAction(QStringLiteral("&Previous Song"), [this] { controller_.PreviousSong(); });
    playback->addSeparator();
    pitch_ = disabled(playback, QStringLiteral("Pitch Control"));
    playback->addAction(QStringLiteral("Jump 10 seconds -->"), [this] { controller_.SeekForward(); });
    playback->addAction(QStringLiteral("Jump 10 seconds <--"), [this] { controller_.SeekBack(); });
    playback->addSeparator();
    repeat_ = playback->addAction(QStringLiteral("&Repeat"), [this] { controller_.ToggleRepeat(); });
    shuffle_ = playback->addAction(QStringLiteral("&Shuffle"), [this] { controller_.RandomSongCommand(); });
    addSeparator();
    addAction(QStringLiteral("E&xit"), commands.exit);

    for (QAction *a : {cdMode_, onTop_, elapsed_, remaining_, repeat_, shuffle_})
        a->setCheckable(true);
    connect(this, &QMenu::aboutToShow, this, &MainMenu::refreshChecks);
    refreshChecks();
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
            recent_->addAction(file, [open, file] { open(file); });
    recent_->menuAction()->setVisible(!recent_->isEmpty() && !controller_.cdMode());
}

void MainMenu::setCdMode(bool on)
{
    cdMode_->setChecked(on);
    for (QAction *a : {load_, url_, repeat_, shuffle_})
        a->setVisible(!on);
    recent_->menuAction()->setVisible(!recent_->isEmpty() && !on);
}
