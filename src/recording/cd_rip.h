#pragma once

// A run of the CD recorder: chosen tracks of a disc become WAV files, or MP3
// files through the external encoder, one after another. Each track is read
// bit-exactly and as fast as the drive delivers into a WAV file in a private
// folder of the destination, then placed (or encoded and placed) without
// replacing a file. The recorder window and `ludro-cd rip` both run it.
// A real input line instead records each track in real time while the CD
// device plays it. Cancel ends the run: finished tracks stay, the current
// one is dropped. A track without audio, or one an image cut short does not
// hold whole, fails alone: it is not delivered and the run goes on.

#include "cd/disc_source.h"
#include "encoder/encoder_kind.h"
#include "language/messages.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

namespace cd {
class CdDevice;
class TrackReader;
}
namespace platform {
class Dialogs;
}

namespace encoder {
class EncodeJob;
}

namespace recording {

class TrackCapture;
class WavWriter;

struct RipSettings {
    cd::DiscSource source;
    cd::TableOfContents toc;  // of the disc in `source`
    QString destination;
    bool compress = false;
    QString encoder;  // used when compressing
    encoder::EncoderSwitches switches;
    encoder::EncodeOptions options;
    QString input;                     // a line of inputLines(); empty: CD Digital Audio
    cd::CdDevice *device = nullptr;    // plays the tracks a real input line records
};

struct RipProgress {
    int line = 0;  // index into the lines
    int song = 0, total = 0, encoder = 0;
    bool encoding = false;  // the track is being encoded: `encoder` is its step, else `song`
    QString action;
};

class CdRip : public QObject {
    Q_OBJECT

public:
    explicit CdRip(platform::Dialogs &dialogs, QObject *parent = nullptr);
    ~CdRip() override;

    // `lines` as the recorder shows them ("N. name"). Runs from the event loop.
    void start(const QStringList &lines, const RipSettings &settings);
    void cancel();
    bool running() const { return running_; }
    int written() const { return written_; }
    // The words of its messages and progress.
    void setTexts(const Messages &texts) { texts_ = texts; }
    const Messages &texts() const { return texts_; }

signals:
    void progress(const recording::RipProgress &progress);
    // The run is over: every line done, cancelled, or stopped by an error.
    void finished();

private:
    void startTrack();
    void readSlice();
    void startCapture();
    void trackRead();
    void trackRecorded();
    void encoded(bool ok, const QString &reason);
    void trackFailed(const QString &why);
    void nextTrack();
    void stop(const QString &error);
    void dropTrack();
    QString target(const QString &extension) const;
    void report(int song, int encoder, const QString &action);

    platform::Dialogs &dialogs_;
    Messages texts_;
    RipSettings settings_;
    QStringList lines_;
    int index_ = 0, written_ = 0;
    long doneSectors_ = 0, totalSectors_ = 0;
    bool running_ = false, cancelled_ = false;
    QString folder_;  // the current track's private folder
    std::unique_ptr<cd::TrackReader> reader_;
    std::unique_ptr<WavWriter> writer_;
    std::unique_ptr<TrackCapture> capture_;
    std::unique_ptr<encoder::EncodeJob> encode_;
};

}  // namespace recording
