#pragma once

// The player as an MPRIS2 media player on the session bus, under
// "org.mpris.MediaPlayer2.ludro", so desktop widgets, media keys and
// playerctl find and control it. A thin adapter over a MediaPlayer: it keeps
// the properties it last announced and sync() announces only those that
// changed. Everything that comes from the bus is checked here, before it
// reaches the player.

#include "shell/media_player.h"

#include <QObject>
#include <QVariantMap>

#include <memory>

namespace shell {

class MprisService : public QObject {
    Q_OBJECT

public:
    static constexpr const char *busName = "org.mpris.MediaPlayer2.ludro";

    // Nothing when there is no session bus or another program holds the name.
    static std::unique_ptr<MprisService> start(MediaPlayer &player);
    ~MprisService() override;

    // Announces what changed since the last call.
    void sync();

    // The bus's calls, checked.
    MediaPlayer &player() { return player_; }
    QVariantMap playerProperties() const;
    QString trackPath() const;
    void seekBy(qint64 offsetUs);
    void setPosition(const QString &trackPath, qint64 us);
    void openUri(const QString &uri);
    void setVolume(double volume);
    void setLoopStatus(const QString &status);

signals:
    // Seeked: the position jumped to there.
    void seeked(qint64 us);

private:
    explicit MprisService(MediaPlayer &player);
    void seekTo(qint64 us);

    MediaPlayer &player_;
    QVariantMap announced_;
    MediaTrack track_;
    quint64 trackSerial_ = 0;
};

}  // namespace shell
