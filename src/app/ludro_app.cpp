#include "ludro_app.h"

#include "app/recent_files.h"
#include "core/volume_balance.h"
#include "app/window_place.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <climits>
#include <utility>

namespace {

bool isCdSwitch(const QString &argument)
{
    return argument.compare("/cd", Qt::CaseInsensitive) == 0 || argument.compare("--cd", Qt::CaseInsensitive) == 0;
}

bool isNoSaveSwitch(const QString &argument)
{
    return argument.compare("/noSave", Qt::CaseInsensitive) == 0
        || argument.compare("--nosave", Qt::CaseInsensitive) == 0;
}

bool isSwitch(const QString &argument)
{
    return isCdSwitch(argument) || isNoSaveSwitch(argument);
}

}  // namespace

QString LudroApp::fileArgument(const QStringList &arguments)
{
    QStringList parts;
    for (const QString &argument : arguments.mid(1))
        if (argument.size() > 1 && !isSwitch(argument))
            parts << argument;
    return parts.join(' ');
}

LudroApp::LudroApp(const QStringList &arguments, platform::Dialogs &dialogs)
    : dialogs_(dialogs), folders_(platform::DataFolders::current()),
      settings_(readSettings(folders_.user(), QDir::homePath() + '/')), player_(&form_, dialogs_),
      controller_(player_, playlist_, form_, dialogs_),
      menu_(controller_,
            {[this] { controller_.OpenDialog(); }, [this] { controller_.OpenAddress(dialogs_.askAddress()); },
             [this] { cd_.toggle(); }, [this] { controller_.ExitCommand(); }},
            &form_),
      plForm_(playlist_, dialogs_, textures_),
      pluginWindow_([this](const platform::WindowMessage &m) { receiveMessage(m); })
{
    QDir(folders_.user()).mkpath(QStringLiteral("Settings"));
    for (const QString &argument : arguments.mid(1)) {
        noSave_ = noSave_ || isNoSaveSwitch(argument);
        startCdMode_ = startCdMode_ || isCdSwitch(argument);
    }
    // Closing the main window ends the program, whatever else is open.
    for (QWidget *window : std::initializer_list<QWidget *>{&plForm_, &eqForm_, &pitchForm_, &tagForm_, &cddbForm_, &submitForm_, &convForm_, &encForm_, &recForm_, &asForm_,
                                                               &browser_.form()})
        window->setAttribute(Qt::WA_QuitOnClose, false);
    player_.SetPriority(4);
    connectButtons();
    connectAppearance();
    QObject::connect(&language_, &Language::changed, [this] { applyTexts(); });
    connectSoundWindows();
    connectEncoderWindows();
    connectPlaylistWindow();
    connectCd();
    connectPreferences();
    connectBrowser();
    connectShell();
    startPlayer();
    applySettings();
    applySoundSettings();
    chooseStartupFile(fileArgument(arguments));
    QObject::connect(&controller_, &PlaybackController::fileChosen, [this](const QString &name) {
        addRecentFile(settings_.recent, name);
        showRecentFiles();
    });
    bindRemoteCommands();
    showRecentFiles();

    QObject::connect(&timer1_, &QTimer::timeout, [this] { Timer1Timer(); });
    QObject::connect(&timer2_, &QTimer::timeout, [this] { Timer2Timer(); });
}

// Output leaves off at once and the engine's thread ends before the
// window's pieces go.
LudroApp::~LudroApp()
{
    cd_.close();
    player_.OutputReset();
    player_.Exit();
    lights_.stop();
    plugins_.quitAll();
    if (!quitWatch_.quitting())
        recordWindowVisibility();
    storePlaylistWindow();
    saveSettings(true);
    saveDefaultPlaylist();
}

// A file or address named on the command line plays at the first tick;
// otherwise the default playlist is opened where it was left, or on an
// installed player's first start the demo playlist.
void LudroApp::chooseStartupFile(const QString &file)
{
    const QString defaultPlaylist = folders_.user() + QStringLiteral("Ludro.m3u");
    if (!file.isEmpty() && (QFileInfo(file).isFile() || PlaylistModel::isNetworkEntry(file))) {
        startupFile_ = PlaylistModel::isNetworkEntry(file) ? file : QFileInfo(file).absoluteFilePath();
        controller_.setStartIndex(0);
        playlist_.pendingIndex = 0;
    } else if (QFileInfo(defaultPlaylist).isFile()) {
        startupFile_ = defaultPlaylist;
        controller_.setStartIndex(settings_.songPlaying);
    } else if (const QString demo = folders_.installed() + QStringLiteral("demo/Demo.m3u");
               !folders_.installed().isEmpty() && QFileInfo(demo).isFile()) {
        startupFile_ = demo;
        controller_.setStartIndex(0);
    }
}

void LudroApp::startPlayer()
{
    player_.OutputModuleRegister("dsound_output_module_register@directsound.dll");
    player_.SetPlayerEnvironmentInteger("OUTPUT.DIRECTSOUND.WINDOW", static_cast<int32_t>(player_.notificationWindow()));
    player_.SetPlayerMode(1);
    player_.SetCodecQuality(0);
}

void LudroApp::connectButtons()
{
    auto &c = controller_;
    QObject::connect(&form_, &TMainForm::playClicked, [&c] { c.PlayCommand(); });
    QObject::connect(&form_, &TMainForm::pauseClicked, [&c] { c.PauseCommand(); });
    QObject::connect(&form_, &TMainForm::stopClicked, [&c] { c.StopCommand(); });
    QObject::connect(&form_, &TMainForm::loadClicked, [&c] { c.LoadCommand(); });
    QObject::connect(&form_, &TMainForm::previousClicked, [&c] { c.PreviousSong(); });
    QObject::connect(&form_, &TMainForm::nextClicked, [&c] { c.NextSong(); });
    QObject::connect(&form_, &TMainForm::rewindClicked, [&c] { c.SeekBack(); });
    QObject::connect(&form_, &TMainForm::forwardClicked, [&c] { c.SeekForward(); });
    QObject::connect(&form_, &TMainForm::repeatClicked, [&c] { c.ToggleRepeat(); });
    QObject::connect(&form_, &TMainForm::shuffleClicked, [&c] { c.RandomSongCommand(); });
    QObject::connect(&form_, &TMainForm::exitClicked, [&c] { c.ExitCommand(); });
    QObject::connect(&form_, &TMainForm::minimizeClicked, [this] { form_.showMinimized(); });
    QObject::connect(&form_, &TMainForm::positionDragged, [&c](int offset, int width) { c.KnobDragged(offset, width); });
    QObject::connect(&form_, &TMainForm::positionReleased, [&c](int offset, int width) { c.SeekToKnob(offset, width); });
    QObject::connect(&form_, &TMainForm::volumeDragged, &volume_, &VolumeControl::dragVolume);
    QObject::connect(&form_, &TMainForm::balanceDragged, &volume_, &VolumeControl::dragBalance);
    QObject::connect(&volume_, &VolumeControl::volumeChanged, &form_, &TMainForm::showVolume);
    QObject::connect(&volume_, &VolumeControl::balanceChanged, &form_, &TMainForm::showBalance);
    QObject::connect(&volume_, &VolumeControl::readOut, &form_, &TMainForm::showTitle);
    QObject::connect(&form_, &TMainForm::levelKnobReleased, [&c] { c.RefreshTitle(); });
    QObject::connect(&form_, &TMainForm::buttonPressed,
                     [this](int button) { lights_.flash(static_cast<MainButton>(button)); });
    QObject::connect(&form_, &TMainForm::menuClicked, [this] { menu_.popup(QCursor::pos()); });
    form_.setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(&form_, &QWidget::customContextMenuRequested,
                     [this](const QPoint &at) { menu_.popup(form_.mapToGlobal(at)); });
}

void LudroApp::show()
{
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        form_.move(keptOnScreen(form_.geometry(), screen->geometry().size()));
        plForm_.move(keptOnScreen(plForm_.geometry(), screen->geometry().size()));
    }
    form_.show();
    if (settings_.eqVis)
        eqForm_.show();
    if (settings_.plVis)
        plForm_.show();
    if (settings_.brVis)
        browser_.form().show();
    if (settings_.recVis)
        recForm_.show();
    startupPending_ = false;
    encoderCheckPending_ = settings_.encPath.isEmpty();
    plugins_.load(folders_.search(QStringLiteral("plugins")), pluginWindow_.handle());
    if (!startupFile_.isEmpty())
        controller_.OpenFile(startupFile_);
    if (std::exchange(startCdMode_, false))
        cd_.toggle();
    // The built-in look in normal mode greets with its lights first.
    if (form_.normalMode() && textures_.name() == TextureManager::BuiltinName)
        lights_.startIntro();
    else
        startTimers();
}

void LudroApp::startTimers()
{
    timer1_.start(750);
    timer2_.start(250);
}

// A recent file that is gone does nothing and keeps its place.
void LudroApp::showRecentFiles()
{
    menu_.showRecentFiles(settings_.recent, [this](const QString &file) {
        if (!QFileInfo(file).isFile())
            return;
        controller_.OpenFile(file);
        controller_.StartPlayback();
    });
}

// Which windows are open is the user's choice, kept until the next start.
// Qt closes them all when the program quits, so they are looked at before.
void LudroApp::recordWindowVisibility()
{
    settings_.eqVis = eqForm_.isVisible();
    settings_.plVis = plForm_.isVisible();
    settings_.brVis = browser_.form().isVisible();
    settings_.recVis = recForm_.isVisible();
}

void LudroApp::Timer1Timer()
{
    recordWindowVisibility();
    servePreferenceRequests();
    output_.applyRequests();
    form_.setTimeShown(controller_.playerState() != 2 || !form_.timeShown());
    cd_.poll();
    updateHints();
    controller_.AutomaticAdvance();
    applyEqualizer();
    if (encoderCheckPending_)
        checkEncoderAtStart();
    if (std::exchange(languageAgain_, false) && !Language::isBuiltin(settings_.language))
        language_.choose(settings_.language);
}

void LudroApp::Timer2Timer()
{
    controller_.SendPendingPitch();
    remote_.executeQueued();
    form_.setTitleLeft(titleScroller_.step(form_.titleLeft(), form_.titleWidth(),
                                           form_.texture().layout.main.fileNameWidth, settings_.autoScroll,
                                           form_.titleRestingLeft()));
}

void LudroApp::receiveMessage(const platform::WindowMessage &message)
{
    if (message.msg == commandMessageNumber && message.wParam > 40000 && message.wParam < 40200) {
        remote_.queue(static_cast<int>(message.wParam),
                      static_cast<int>(std::clamp<std::intptr_t>(message.lParam, INT_MIN, INT_MAX)));
    } else if (message.msg == handOverMessageNumber) {
        if (const auto name = handOver_.take(message.wParam, message.lParam))
            controller_.TakeHandedOverFile(*name, settings_.clearList);
    }
}
