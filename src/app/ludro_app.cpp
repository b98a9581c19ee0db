#include "ludro_app.h"

#include "app/window_place.h"
#include "core/remote_commands.h"
#include "language/window_texts.h"
#include "playlist/file_drop.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QFileInfo>
#include <QScreen>
#include <QShortcut>

#include <algorithm>
#include <climits>
#include <cstdio>
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

QStringList LudroApp::fileArguments(const QStringList &arguments)
{
    QStringList parts;
    for (const QString &argument : arguments.mid(1))
        if (argument.size() > 1 && !isSwitch(argument))
            parts << argument;
    if (const QString joined = parts.join(' '); parts.size() > 1 && QFileInfo(joined).isFile())
        return {joined};
    return parts;
}

LudroApp::LudroApp(const QStringList &arguments, platform::Dialogs &dialogs)
    : dialogs_(dialogs), folders_(platform::DataFolders::current()),
      settings_(readSettings(folders_.user(), QDir::homePath() + '/')), player_(&form_, dialogs_),
      controller_(player_, playlist_, form_, dialogs_),
      menu_(controller_,
            {[this] { controller_.OpenDialog(); }, [this] { player_feature_.openAddress(); },
             [this] { cd_.controller().toggle(); }, [this] { controller_.ExitCommand(); },
             [this](const char *command) { remote_.execute(command); }},
            &form_),
      pluginWindow_([this](const platform::WindowMessage &m) { receiveMessage(m); })
{
    QDir(folders_.user()).mkpath(QStringLiteral("Settings"));
    for (const QString &argument : arguments.mid(1)) {
        noSave_ = noSave_ || isNoSaveSwitch(argument);
        startCdMode_ = startCdMode_ || isCdSwitch(argument);
    }
    player_.SetPriority(4);
    startPlayer();
    // What comes from outside the user's hands waits for no modal window:
    // it is dropped while one is open.
    remote_.setIgnored([] { return QApplication::activeModalWidget() != nullptr; });
    QObject::connect(&language_, &Language::changed, [this] { applyTexts(); });
    for (Feature *feature : features_) {
        for (FeatureWindow *window : feature->windows())
            adopt(*feature, *window);
        feature->bindCommands(remote_);
        feature->restore();
    }
    connectFeatures();
    chooseStartupFiles(fileArguments(arguments));
    QObject::connect(&timer1_, &QTimer::timeout, [this] { Timer1Timer(); });
    QObject::connect(&timer2_, &QTimer::timeout, [this] { Timer2Timer(); });
}

// Output leaves off at once and the engine's thread ends before the
// window's pieces go.
LudroApp::~LudroApp()
{
    cd_.controller().close();
    player_.OutputReset();
    player_.Exit();
    lights_.stop();
    plugins_.quitAll();
    if (!quitWatch_.quitting())
        recordWindowVisibility();
    saveSettings(true);
    if (!noSave_ && !startupPending_)
        playlistFeature_.saveDefaultPlaylist();
}

// What the program does with every window a feature makes: closing it never
// ends the program, F1 and its Help button open its help page, it comes back
// where it was, docks if it does, and speaks the language.
void LudroApp::adopt(Feature &feature, FeatureWindow &window)
{
    if (window.traits().docks)
        dockingWindows_.push_back(&window);
    window.adopt([this, &feature](FeatureWindow &made) {
        QWidget &widget = made.widget();
        widget.setAttribute(Qt::WA_QuitOnClose, false);
        // F1 and a helpRequested() signal, where the window has one.
        auto *help = new QAction(&widget);
        QObject::connect(help, &QAction::triggered, help,
                         [this, page = made.traits().helpPage] { browser_.openHelpPage(page); });
        QObject::connect(new QShortcut(QKeySequence::HelpContents, &widget), &QShortcut::activated, help,
                         &QAction::trigger);
        if (widget.metaObject()->indexOfSignal("helpRequested()") >= 0)
            QObject::connect(&widget, SIGNAL(helpRequested()), help, SLOT(trigger()));
        made.traits().place.restore(settings_, widget, textures_.windowScale());
        if (const auto slot = std::find(dockingWindows_.begin(), dockingWindows_.end(), &made);
            slot != dockingWindows_.end())
            docking_.setWindow(1 + (slot - dockingWindows_.begin()), &widget);
        feature.applyTexts(language_.messages());
    });
}

// What one feature does for another.
void LudroApp::connectFeatures()
{
    // The disc in the playlist window's CD view, made when first needed.
    cd::CdController &disc = cd_.controller();
    PlaylistFeature &playlist = playlistFeature_;
    QObject::connect(&disc, &cd::CdController::cdModeChanged, &playlist, [&playlist](bool on) { playlist.form().setCdView(on); });
    QObject::connect(&disc, &cd::CdController::namesChanged, &playlist,
                     [&playlist](const QStringList &lines, const QString &title, const QString &artist) {
                         playlist.form().setCdLines(lines);
                         playlist.form().setCdTitle(title);
                         playlist.form().setCdArtist(artist);
                     });
    QObject::connect(&disc, &cd::CdController::lineSelected, &playlist,
                     [&playlist](int index) { playlist.form().selectCdLine(index); });
    QObject::connect(&playlist, &PlaylistFeature::formMade, &disc, [this, &disc](TPLForm &list) {
        QObject::connect(&list, &TPLForm::cdTrackActivated, &disc, &cd::CdController::setPendingTrack);
        QObject::connect(&list, &TPLForm::cdTitleEdited, &disc, &cd::CdController::titleEdited);
        QObject::connect(&list, &TPLForm::cdArtistEdited, &disc, &cd::CdController::artistEdited);
        QObject::connect(&list, &TPLForm::changeTrackNameRequested, &disc, &cd::CdController::renameTrack);
        QObject::connect(&list, &TPLForm::readFromCddbRequested, &disc,
                         [this, &disc] { disc.readFromCddb(form_.frameGeometry()); });
        QObject::connect(&list, &TPLForm::submitToCddbRequested, &disc, [this] { cd_.submitDisc(); });
        QObject::connect(&list, &TPLForm::id3TagRequested, &list, [this](int index) { tags_.openEntry(index); });
    });

    QObject::connect(&prefs_, &PrefsFeature::closed, &prefs_, [this] { saveSettings(false); });
    QObject::connect(&prefs_, &PrefsFeature::generalChanged, &prefs_, [this] { applyGeneralSettings(); });
    QObject::connect(&prefs_, &PrefsFeature::registerRequested, &prefs_, [this] { shell_.registerFileTypes(); });
    QObject::connect(&prefs_, &PrefsFeature::languageChosen, &prefs_,
                     [this](const QString &name) { appearance_.chooseLanguage(name); });
    QObject::connect(&prefs_, &PrefsFeature::textureChosen, &prefs_,
                     [this](const QString &name) { appearance_.chooseTexture(name); });
    QObject::connect(&prefs_, &PrefsFeature::fontChosen, &prefs_, [this] { playlistFeature_.applyFont(); });
    QObject::connect(&prefs_, &PrefsFeature::deviceChosen, &prefs_, [this] { sound_.resetPitch(); });
    QObject::connect(&prefs_, &PrefsFeature::pitchControlClicked, &prefs_, [this] { sound_.togglePitchWindow(); });
    QObject::connect(&prefs_, &PrefsFeature::encoderChanged, &prefs_,
                     [this](const encoder::EncoderSetup &setup) { encoder_.setSetup(setup); });
    QObject::connect(&recorder_, &RecorderFeature::encoderSetupRequested, &prefs_,
                     [this] { prefs_.open(TPrefsForm::Encoder); });
    QObject::connect(&form_, &TMainForm::audioClicked, &form_,
                     [this] { menu_.audioMenu()->popup(QCursor::pos()); });

    QObject::connect(&form_, &TMainForm::buttonPressed, &form_,
                     [this](int button) { lights_.flash(static_cast<MainButton>(button)); });
    QObject::connect(&form_, &TMainForm::menuClicked, &form_, [this] { menu_.popup(QCursor::pos()); });
    form_.setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(&form_, &QWidget::customContextMenuRequested, &form_,
                     [this](const QPoint &at) { menu_.popup(form_.mapToGlobal(at)); });
    QObject::connect(new QShortcut(QKeySequence::HelpContents, &form_), &QShortcut::activated, &form_,
                     [this] { browser_.openHelpPage(QStringLiteral("manual.html")); });
}

void LudroApp::applyTexts()
{
    const Messages &messages = language_.messages();
    ::applyTexts(menu_, messages);
    form_.applyTexts(messages);
    controller_.applyTexts(messages);
    volume_.setWords(messages);
    for (Feature *feature : features_)
        feature->applyTexts(messages);
}

// What the general page's check boxes change shows at once.
void LudroApp::applyGeneralSettings()
{
    controller_.setShowTimeInTitle(settings_.showTime);
    cd_.setShowTimeInTitle(settings_.showTime);
    form_.setLevelSlidersLocked(settings_.useVolume);
    shell_.tray().ShowTrayIcons(settings_.trayIcons);
    if (!settings_.showTime)
        form_.setWindowTitle(QStringLiteral("Ludro Pro"));
}

// The files and addresses named on the command line join the list in
// order and the first plays at the first tick; names of nothing are passed
// over. Without any, the default playlist is opened where it was left, or on
// an installed player's first start the demo playlist.
void LudroApp::chooseStartupFiles(const QStringList &files)
{
    QStringList named;
    for (const QString &file : files)
        if (PlaylistModel::isNetworkEntry(file))
            named << file;
        else if (QFileInfo(file).isFile())
            named << QFileInfo(file).absoluteFilePath();
    const QString defaultPlaylist = folders_.user() + QStringLiteral("Ludro.m3u");
    if (!named.isEmpty()) {
        startupFile_ = named.takeFirst();
        startupFollowers_ = named;
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

// The windows that were open at the end come back as they were; what else
// a feature starts waits until they show.
void LudroApp::show()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    const QSize desktop = screen ? screen->geometry().size() : QSize(1024, 768);
    form_.move(keptOnScreen(form_.geometry(), desktop));
    form_.show();
    for (Feature *feature : features_)
        for (FeatureWindow *window : feature->windows())
            if (const bool Settings::*shown = window->traits().shown; shown && settings_.*shown) {
                QWidget &widget = window->widget();
                widget.move(keptOnScreen(widget.geometry(), desktop));
                widget.show();
            }
    QTimer::singleShot(0, &form_, [this] {
        for (Feature *feature : features_)
            feature->started();
    });
    startupPending_ = false;
    plugins_.load(folders_.search(QStringLiteral("plugins")), pluginWindow_.handle());
    if (!startupFile_.isEmpty())
        controller_.OpenFile(startupFile_);
    if (!startupFollowers_.isEmpty()) {
        for (const QString &error : file_drop::addNamed(playlist_, std::exchange(startupFollowers_, {})))
            dialogs_.error(error);
        playlist_.settle();
    }
    if (std::exchange(startCdMode_, false))
        cd_.controller().toggle();
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

// Which windows are open is the user's choice, kept until the next start.
// Qt closes them all when the program quits, so they are looked at before.
void LudroApp::recordWindowVisibility()
{
    for (Feature *feature : features_)
        for (FeatureWindow *window : feature->windows())
            if (bool Settings::*shown = window->traits().shown)
                settings_.*shown = window->isShown();
}

// Nothing is written after "/noSave" or when start-up never finished.
void LudroApp::saveSettings(bool atExit)
{
    if (noSave_ || startupPending_)
        return;
    settings_.directSound = output_.directSound();
    settings_.playMode = output_.playMode();
    for (Feature *feature : features_) {
        feature->store();
        for (FeatureWindow *window : feature->windows())
            if (const QWidget *made = window->made())
                window->traits().place.store(settings_, *made, textures_.windowScale());
    }
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

void LudroApp::Timer1Timer()
{
    recordWindowVisibility();
    prefs_.serveRequests();
    output_.applyRequests();
    form_.setTimeShown(controller_.playerState() != 2 || !form_.timeShown());
    cd_.controller().poll();
    player_feature_.updateHints();
    controller_.AutomaticAdvance();
    sound_.applyEqualizer();
    encoder_.checkAtStart();
    appearance_.applyLanguageAgain();
}

void LudroApp::Timer2Timer()
{
    controller_.SendPendingPitch();
    remote_.executeQueued();
    player_feature_.scrollTitle();
}

void LudroApp::receiveMessage(const platform::WindowMessage &message)
{
    if (message.msg == commandMessageNumber && message.wParam > 40000 && message.wParam < 40200) {
        remote_.queue(static_cast<int>(message.wParam),
                      static_cast<int>(std::clamp<std::intptr_t>(message.lParam, INT_MIN, INT_MAX)));
    } else if (message.msg == handOverMessageNumber) {
        if (const auto text = handOver_.take(message.wParam, message.lParam))
            controller_.TakeHandedOverFiles(handedOverNames(*text), settings_.clearList);
    }
}
