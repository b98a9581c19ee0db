#pragma once

// The player's controllers as the media player the MPRIS service shows on
// the session bus. Commands go through the remote command table, so the bus
// reaches the same actions as ludroctl and plug-ins; the service hears of
// every change through the controllers' signals. Without a session bus there
// is no service and nothing is said.

#include "cd/cd_controller.h"
#include "core/playback_controller.h"
#include "core/remote_control.h"
#include "core/volume_control.h"
#include "shell/mpris_service.h"

#include <functional>
#include <memory>

class MprisBridge : public shell::MediaPlayer {
public:
    MprisBridge(PlaybackController &controller, VolumeControl &volume, RemoteControl &remote, PlaylistModel &playlist,
                cd::CdController &cd, std::function<void()> raise);

    bool onBus() const { return service_ != nullptr; }

    shell::MediaState state() const override;
    qint64 positionUs() const override;
    void play() override;
    void pause() override;
    void playPause() override;
    void stop() override;
    void next() override;
    void previous() override;
    void seekTo(qint64 us) override;
    void setVolume(double volume) override;
    void setRepeat(bool on) override;
    void setShuffle(bool on) override;
    void open(const QString &location) override;
    void raise() override { raise_(); }
    void quit() override { controller_.ExitCommand(); }

private:
    void execute(const char *command, int argument = 0);
    shell::MediaTrack track() const;

    PlaybackController &controller_;
    VolumeControl &volume_;
    RemoteControl &remote_;
    PlaylistModel &playlist_;
    cd::CdController &cd_;
    std::function<void()> raise_;
    int cdTrack_ = -1;
    double cdFraction_ = 0;
    std::unique_ptr<shell::MprisService> service_;
};
