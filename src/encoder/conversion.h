#pragma once

// A batch of the converter: WAV files become MP3 files through the external
// encoder, up to `parallel` encoders at once; MPEG audio files become WAV
// files through a player whose output is a WAV file, one at a time. Each
// result grows in a private folder of its destination and never replaces a
// file: a result whose name is taken, and for which the user gives no other
// name, is kept under a free "Name (2).mp3" and notes() says so. The
// sources are only read. Cancel ends the batch: finished files stay, the
// rest keep their waiting line.

#include "encoder/encoder_kind.h"
#include "encoder/job_files.h"
#include "language/messages.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <map>
#include <memory>

class TSonarkPlayer;
namespace platform {
class Dialogs;
}

namespace encoder {

class EncodeJob;

inline constexpr int labelLength = 17;
QString wavToMp3Label();
QString mp3ToWavLabel();
QString convertedLabel();
QString failedLabel();
// The waiting line of `path`, by its extension.
QString conversionLine(const QString &path);

struct ConversionSettings {
    QString encoder;  // empty: no encoder chosen
    EncoderSwitches switches;
    EncodeOptions options;
    QString destination;  // empty: next to each source
    int parallel = 1;
};

struct ConversionProgress {
    int song = 0, total = 0, encoder = 0;
    QString line, action;
};

class Conversion : public QObject {
    Q_OBJECT

public:
    explicit Conversion(platform::Dialogs &dialogs, QObject *parent = nullptr);
    ~Conversion() override;

    // False (with the message shown) when WAV lines need an encoder and none is chosen.
    bool start(const QStringList &lines, const ConversionSettings &settings);
    void cancel();
    bool running() const { return running_; }
    const QStringList &lines() const { return lines_; }
    // "X.mp3 existed: kept as X (2).mp3", one a result kept under a free name.
    const QStringList &notes() const { return notes_; }
    // The words of its messages and progress.
    void setTexts(const Messages &texts) { texts_ = texts; }

signals:
    void lineChanged(int index, const QString &line, const QString &reason);
    void progress(const ConversionProgress &progress);
    void finished();

private:
    QString outputOf(const QString &path, const QString &extension) const;
    void startMore();
    void startEncode(int index);
    void startDecode(int index);
    void endDecode(bool ok, const QString &reason);
    void endLine(int index, bool ok, const QString &reason);
    bool placed(const Placement &placement, const QString &wanted);
    void report();

    platform::Dialogs &dialogs_;
    Messages texts_;
    ConversionSettings settings_;
    QStringList lines_;
    QStringList notes_;
    int next_ = 0, done_ = 0;
    bool running_ = false, cancelled_ = false;
    std::map<int, std::unique_ptr<EncodeJob>> encodes_;
    // The decode in progress; a new player per file, so nothing an earlier
    // input sends can act on the next one.
    TSonarkPlayer *player_ = nullptr;
    int decodeIndex_ = -1;
    QString decodeFolder_;
    bool decodeError_ = false;
    QString lastDecodeError_;
    int duration_ = 0, songPercent_ = 0;
};

}  // namespace encoder
