#pragma once

// The two MPRIS2 interfaces as Qt D-Bus adaptors of the service: the
// properties and methods the bus sees, each handed to the service.

#include "shell/mpris_service.h"

#include <QDBusAbstractAdaptor>
#include <QDBusObjectPath>
#include <QStringList>

namespace shell {

class MprisRootAdaptor : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2")
    Q_PROPERTY(bool CanQuit READ yes)
    Q_PROPERTY(bool CanRaise READ yes)
    Q_PROPERTY(bool HasTrackList READ no)
    Q_PROPERTY(QString Identity READ identity)
    Q_PROPERTY(QString DesktopEntry READ desktopEntry)
    Q_PROPERTY(QStringList SupportedUriSchemes READ uriSchemes)
    Q_PROPERTY(QStringList SupportedMimeTypes READ mimeTypes)

public:
    explicit MprisRootAdaptor(MprisService &service);

    bool yes() const { return true; }
    bool no() const { return false; }
    QString identity() const { return QStringLiteral("Ludro Pro"); }
    QString desktopEntry() const { return QStringLiteral("org.ludro.LudroPro"); }
    QStringList uriSchemes() const
    {
        return {QStringLiteral("file"), QStringLiteral("http"), QStringLiteral("https")};
    }
    QStringList mimeTypes() const;

public slots:
    void Raise() { service_.player().raise(); }
    void Quit() { service_.player().quit(); }

private:
    MprisService &service_;
};

class MprisPlayerAdaptor : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2.Player")
    Q_PROPERTY(QString PlaybackStatus READ playbackStatus)
    Q_PROPERTY(QString LoopStatus READ loopStatus WRITE setLoopStatus)
    Q_PROPERTY(double Rate READ rate WRITE setRate)
    Q_PROPERTY(double MinimumRate READ rate)
    Q_PROPERTY(double MaximumRate READ rate)
    Q_PROPERTY(bool Shuffle READ shuffle WRITE setShuffle)
    Q_PROPERTY(QVariantMap Metadata READ metadata)
    Q_PROPERTY(double Volume READ volume WRITE setVolume)
    Q_PROPERTY(qlonglong Position READ position)
    Q_PROPERTY(bool CanGoNext READ canGoNext)
    Q_PROPERTY(bool CanGoPrevious READ canGoPrevious)
    Q_PROPERTY(bool CanPlay READ canPlay)
    Q_PROPERTY(bool CanPause READ canPause)
    Q_PROPERTY(bool CanSeek READ canSeek)
    Q_PROPERTY(bool CanControl READ canControl)

public:
    explicit MprisPlayerAdaptor(MprisService &service);

    QString playbackStatus() const { return value("PlaybackStatus").toString(); }
    QString loopStatus() const { return value("LoopStatus").toString(); }
    void setLoopStatus(const QString &status) { service_.setLoopStatus(status); }
    double rate() const { return 1.0; }
    // The player plays at one rate only.
    void setRate(double) {}
    bool shuffle() const { return value("Shuffle").toBool(); }
    void setShuffle(bool on) { service_.player().setShuffle(on); }
    QVariantMap metadata() const { return value("Metadata").toMap(); }
    double volume() const { return value("Volume").toDouble(); }
    void setVolume(double volume) { service_.setVolume(volume); }
    qlonglong position() const { return service_.player().positionUs(); }
    bool canGoNext() const { return value("CanGoNext").toBool(); }
    bool canGoPrevious() const { return value("CanGoPrevious").toBool(); }
    bool canPlay() const { return value("CanPlay").toBool(); }
    bool canPause() const { return value("CanPause").toBool(); }
    bool canSeek() const { return value("CanSeek").toBool(); }
    bool canControl() const { return true; }

public slots:
    void Play() { service_.player().play(); }
    void Pause() { service_.player().pause(); }
    void PlayPause() { service_.player().playPause(); }
    void Stop() { service_.player().stop(); }
    void Next() { service_.player().next(); }
    void Previous() { service_.player().previous(); }
    void Seek(qlonglong offset) { service_.seekBy(offset); }
    void SetPosition(const QDBusObjectPath &track, qlonglong position) { service_.setPosition(track.path(), position); }
    void OpenUri(const QString &uri) { service_.openUri(uri); }

signals:
    void Seeked(qlonglong position);

private:
    QVariant value(const char *name) const { return service_.playerProperties().value(QLatin1String(name)); }

    MprisService &service_;
};

}  // namespace shell
