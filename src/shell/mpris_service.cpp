#include "mpris_service.h"

#include "shell/mpris_adaptors.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QFileInfo>
#include <QUrl>

#include <algorithm>
#include <cmath>
#include <limits>

namespace shell {

namespace {

const QString objectPath = QStringLiteral("/org/mpris/MediaPlayer2");
const QString playerInterface = QStringLiteral("org.mpris.MediaPlayer2.Player");
const QString noTrack = QStringLiteral("/org/mpris/MediaPlayer2/TrackList/NoTrack");

// Where libdbus would look for the session bus. Without either there is no
// bus, and QtDBus is left alone: its connection thread, started for nothing,
// can outlive the program's end.
bool sessionBusNamed()
{
    if (!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        return true;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return !runtime.isEmpty() && QFileInfo::exists(runtime + QStringLiteral("/bus"));
}

QString statusName(MediaState::Status status)
{
    switch (status) {
    case MediaState::Status::Playing:
        return QStringLiteral("Playing");
    case MediaState::Status::Paused:
        return QStringLiteral("Paused");
    case MediaState::Status::Stopped:
        break;
    }
    return QStringLiteral("Stopped");
}

// Offsets come from other programs: a sum past the 64-bit range saturates.
qint64 saturatedSum(qint64 a, qint64 b)
{
    qint64 sum = 0;
    if (!__builtin_add_overflow(a, b, &sum))
        return sum;
    return b > 0 ? std::numeric_limits<qint64>::max() : std::numeric_limits<qint64>::min();
}

// What the player opens: MPEG audio files and playlists, told by their
// extension. Any other file would be read as a playlist, so a bus client
// could make a system file's lines the playlist.
bool isPlayerFile(const QString &path)
{
    static const QStringList extensions{"mp1", "mp2", "mp3", "m3u", "m3u8", "pls", "dmp"};
    return extensions.contains(QFileInfo(path).suffix(), Qt::CaseInsensitive);
}

}  // namespace

MprisRootAdaptor::MprisRootAdaptor(MprisService &service) : QDBusAbstractAdaptor(&service), service_(service) {}

QStringList MprisRootAdaptor::mimeTypes() const
{
    return {QStringLiteral("audio/mpeg"), QStringLiteral("audio/mp2"), QStringLiteral("audio/x-mpegurl"),
            QStringLiteral("audio/x-scpls")};
}

MprisPlayerAdaptor::MprisPlayerAdaptor(MprisService &service) : QDBusAbstractAdaptor(&service), service_(service)
{
    connect(&service, &MprisService::seeked, this, &MprisPlayerAdaptor::Seeked);
}

MprisService::MprisService(MediaPlayer &player) : player_(player)
{
    new MprisRootAdaptor(*this);
    new MprisPlayerAdaptor(*this);
}

MprisService::~MprisService()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    bus.unregisterObject(objectPath);
    bus.unregisterService(QLatin1String(busName));
}

std::unique_ptr<MprisService> MprisService::start(MediaPlayer &player)
{
    if (!sessionBusNamed())
        return nullptr;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface())
        return nullptr;
    // The first player keeps the name; a later one does without.
    const auto reply =
        bus.interface()->registerService(QLatin1String(busName), QDBusConnectionInterface::DontQueueService,
                                         QDBusConnectionInterface::DontAllowReplacement);
    if (!reply.isValid() || reply.value() != QDBusConnectionInterface::ServiceRegistered)
        return nullptr;
    std::unique_ptr<MprisService> service(new MprisService(player));
    if (!bus.registerObject(objectPath, service.get(), QDBusConnection::ExportAdaptors)) {
        bus.unregisterService(QLatin1String(busName));
        return nullptr;
    }
    service->sync();
    return service;
}

QString MprisService::trackPath() const
{
    return track_.location.isEmpty() ? noTrack : QStringLiteral("/org/ludro/track/%1").arg(trackSerial_);
}

QVariantMap MprisService::playerProperties() const
{
    const MediaState state = player_.state();
    QVariantMap metadata{{QStringLiteral("mpris:trackid"), QVariant::fromValue(QDBusObjectPath(trackPath()))}};
    if (!track_.location.isEmpty()) {
        const QUrl url = QUrl::fromUserInput(track_.location, {}, QUrl::AssumeLocalFile);
        metadata.insert(QStringLiteral("xesam:url"), url.toString());
        metadata.insert(QStringLiteral("xesam:title"), track_.title);
        if (!track_.artists.isEmpty())
            metadata.insert(QStringLiteral("xesam:artist"), track_.artists);
        if (!track_.album.isEmpty())
            metadata.insert(QStringLiteral("xesam:album"), track_.album);
        if (track_.lengthUs > 0)
            metadata.insert(QStringLiteral("mpris:length"), track_.lengthUs);
    }
    const bool loaded = !track_.location.isEmpty();
    return {
        {QStringLiteral("PlaybackStatus"), statusName(state.status)},
        {QStringLiteral("LoopStatus"), state.repeat ? QStringLiteral("Playlist") : QStringLiteral("None")},
        {QStringLiteral("Shuffle"), state.shuffle},
        {QStringLiteral("Metadata"), metadata},
        {QStringLiteral("Volume"), state.volume},
        {QStringLiteral("CanGoNext"), state.canGoNext},
        {QStringLiteral("CanGoPrevious"), state.canGoPrevious},
        {QStringLiteral("CanPlay"), state.canPlay},
        {QStringLiteral("CanPause"), state.canPlay && loaded},
        {QStringLiteral("CanSeek"), state.canSeek},
    };
}

void MprisService::sync()
{
    const MediaTrack track = player_.state().track;
    if (!(track == track_)) {
        // A new serial per track, so a position meant for the old one is
        // recognised as stale.
        if (track.location != track_.location || track.number != track_.number)
            ++trackSerial_;
        track_ = track;
    }
    const QVariantMap now = playerProperties();
    QVariantMap changed;
    for (auto it = now.begin(); it != now.end(); ++it)
        if (announced_.value(it.key()) != it.value())
            changed.insert(it.key(), it.value());
    announced_ = now;
    if (changed.isEmpty())
        return;
    QDBusMessage signal = QDBusMessage::createSignal(objectPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                                                     QStringLiteral("PropertiesChanged"));
    signal << playerInterface << changed << QStringList();
    QDBusConnection::sessionBus().send(signal);
}

void MprisService::seekTo(qint64 us)
{
    player_.seekTo(us);
    emit seeked(us);
}

void MprisService::seekBy(qint64 offsetUs)
{
    const MediaState state = player_.state();
    if (!state.canSeek)
        return;
    const qint64 target = saturatedSum(player_.positionUs(), offsetUs);
    if (target >= state.track.lengthUs) {
        if (state.canGoNext)
            player_.next();
        return;
    }
    seekTo(std::max<qint64>(0, target));
}

void MprisService::setPosition(const QString &trackPath, qint64 us)
{
    const MediaState state = player_.state();
    if (!state.canSeek || trackPath != this->trackPath() || us < 0 || us > state.track.lengthUs)
        return;
    seekTo(us);
}

void MprisService::openUri(const QString &uri)
{
    const QUrl url(uri, QUrl::StrictMode);
    if (url.isLocalFile() && isPlayerFile(url.toLocalFile()))
        player_.open(url.toLocalFile());
    else if ((url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https")) && !url.host().isEmpty())
        player_.open(url.toString());
}

void MprisService::setVolume(double volume)
{
    if (!std::isnan(volume))
        player_.setVolume(std::clamp(volume, 0.0, 1.0));
}

void MprisService::setLoopStatus(const QString &status)
{
    if (status == QLatin1String("None"))
        player_.setRepeat(false);
    else if (status == QLatin1String("Playlist"))
        player_.setRepeat(true);
}

}  // namespace shell
