#include "ludro_app.h"

#include <QCursor>
#include <QFileInfo>

namespace {

bool isSwitch(const QString &argument)
{
    const QString lower = argument.toLower();
    return lower == "/cd" || lower == "/nosave" || lower == "--cd" || lower == "--nosave";
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
    : dialogs_(dialogs), player_(&form_, dialogs_), controller_(player_, playlist_, form_, dialogs_),
      menu_(controller_,
            {[this] { controller_.OpenDialog(); }, [this] { controller_.OpenAddress(dialogs_.askAddress()); },
             [this] { controller_.ExitCommand(); }},
            &form_)
{
    player_.SetPriority(4);
    connectButtons();
    startPlayer();
    const QString file = fileArgument(arguments);
    if (!file.isEmpty() && QFileInfo(file).isFile())
        startupFile_ = file;

    QObject::connect(&timer1_, &QTimer::timeout, [this] { Timer1Timer(); });
    QObject::connect(&timer2_, &QTimer::timeout, [this] { Timer2Timer(); });
}

// Output leaves off at once and the engine's thread ends before the
// window's pieces go.
LudroApp::~LudroApp()
{
    player_.OutputReset();
    player_.Exit();
}

void LudroApp::startPlayer()
{
    player_.OutputModuleRegister("dsound_output_module_register@directsound.dll");
    player_.SetPlayerEnvironmentInteger("OUTPUT.DIRECTSOUND.WINDOW", static_cast<int32_t>(player_.notificationWindow()));
    player_.SetPlayerMode(1);
    player_.SetCodecQuality(0);
    player_.SetOutputName("/dev/wave/0");
}

void LudroApp::connectButtons()
{
    auto &c = controller_;
    QObject::connect(&form_, &TMainForm::playClicked, [&c] { c.PlayCommand(); });
    QObject::connect(&form_, &TMainForm::pauseClicked, [&c] { c.PauseCommand(); });
    QObject::connect(&form_, &TMainForm::stopClicked, [&c] { c.StopCommand(); });
    QObject::connect(&form_, &TMainForm::loadClicked, [&c] { c.OpenDialog(); });
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
    QObject::connect(&form_, &TMainForm::menuClicked, [this] { menu_.popup(QCursor::pos()); });
    form_.setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(&form_, &QWidget::customContextMenuRequested,
                     [this](const QPoint &at) { menu_.popup(form_.mapToGlobal(at)); });
}

void LudroApp::show()
{
    form_.show();
    if (!startupFile_.isEmpty()) {
        controller_.startIndex = 0;
        controller_.OpenFile(startupFile_);
        playlist_.pendingIndex = 0;
    }
    timer1_.start(750);
    timer2_.start(250);
}

void LudroApp::Timer1Timer()
{
    controller_.AutomaticAdvance();
}

void LudroApp::Timer2Timer()
{
    if (controller_.pitchPending > 0) {
        player_.SetPlayerEnvironmentInteger("OUTPUT.DIRECTSOUND.PITCH", controller_.pitch);
        controller_.pitchPending = 0;
    }
}
