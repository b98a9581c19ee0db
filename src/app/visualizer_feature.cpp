#include "visualizer_feature.h"

#include "app/main_form.h"
#include "core/playback_controller.h"
#include "decoder/sonark_player.h"

#include <QEvent>

#include <array>

VisualizerFeature::VisualizerFeature(AppContext &app) : Feature(app)
{
    timer_.setInterval(1000 / FramesPerSecond);
    QObject::connect(&timer_, &QTimer::timeout, this, &VisualizerFeature::tick);
    TMainForm &form = app.mainForm;
    QObject::connect(&form, &TMainForm::visualizerModeChanged, this, &VisualizerFeature::follow);
    QObject::connect(&form, &TMainForm::modeChanged, this, &VisualizerFeature::follow);
    QObject::connect(&app.textures, &TextureManager::textureChanged, this, &VisualizerFeature::follow);
    QObject::connect(&app.playback, &PlaybackController::stateChanged, this, &VisualizerFeature::follow);
    form.installEventFilter(this);
}

void VisualizerFeature::restore()
{
    const int mode = app.settings.visualizer;
    app.mainForm.visualizer().setMode(mode == 0 ? Visualizer::Mode::Off
                                      : mode == 2 ? Visualizer::Mode::Scope
                                                  : Visualizer::Mode::Analyser);
    follow();
}

void VisualizerFeature::store()
{
    const Visualizer::Mode mode = app.mainForm.visualizer().mode();
    app.settings.visualizer = mode == Visualizer::Mode::Off ? 0 : mode == Visualizer::Mode::Scope ? 2 : 1;
}

bool VisualizerFeature::eventFilter(QObject *, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::Show || type == QEvent::Hide || type == QEvent::WindowStateChange)
        QMetaObject::invokeMethod(this, &VisualizerFeature::follow, Qt::QueuedConnection);
    return false;
}

// Runs while there is something to see; when it stops the area goes quiet.
void VisualizerFeature::follow()
{
    TMainForm &form = app.mainForm;
    const bool wanted = form.visualizer().mode() != Visualizer::Mode::Off && !form.visualizerRect().isEmpty()
        && form.isVisible() && !form.isMinimized() && app.playback.playerState() == SK_STATE_PLAYING;
    if (wanted == timer_.isActive())
        return;
    if (wanted) {
        timer_.start();
        return;
    }
    timer_.stop();
    form.visualizer().clear();
    form.updateVisualizer();
}

void VisualizerFeature::tick()
{
    std::array<int16_t, 2 * Visualizer::BlockFrames> stereo;
    const int frames = app.player.ReadPcm(stereo.data(), Visualizer::BlockFrames);
    app.mainForm.visualizer().feed(stereo.data(), frames);
    app.mainForm.updateVisualizer();
}
