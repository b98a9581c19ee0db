#include "recording/cd_rip.h"

#include "cd/cd_time.h"
#include "cd/track_reader.h"
#include "encoder/encode_job.h"
#include "encoder/job_files.h"
#include "platform/dialogs.h"
#include "recording/mixer_lines.h"
#include "recording/rec_tracks.h"
#include "recording/track_capture.h"
#include "recording/wav_writer.h"

#include <QDir>
#include <QTimer>

namespace recording {
namespace {

// About a second of audio per turn of the event loop: the window stays
// responsive, and the loop costs nothing next to the reading.
constexpr int sectorsPerSlice = 75;

long trackSectors(const cd::TableOfContents &toc, int track)
{
    return track >= 1 && track <= static_cast<int>(toc.tracks.size()) ? toc.tracks[track - 1].lengthFrames : 0;
}

// m:ss of a position inside a track.
QString minutesSeconds(long sectors)
{
    const long seconds = sectors / cd::framesPerSecond;
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

int percentOf(long part, long whole)
{
    return whole > 0 ? static_cast<int>(part * 100 / whole) : 0;
}

}  // namespace

CdRip::CdRip(platform::Dialogs &dialogs, QObject *parent) : QObject(parent), dialogs_(dialogs) {}

CdRip::~CdRip()
{
    encode_.reset();
    dropTrack();
}

void CdRip::start(const QStringList &lines, const RipSettings &settings)
{
    settings_ = settings;
    lines_ = lines;
    index_ = written_ = 0;
    doneSectors_ = totalSectors_ = 0;
    for (const QString &line : lines_)
        totalSectors_ += trackSectors(settings_.toc, lineTrack(line));
    running_ = true;
    cancelled_ = false;
    QTimer::singleShot(0, this, &CdRip::startTrack);
}

void CdRip::cancel()
{
    if (!running_)
        return;
    if (!encode_ || !encode_->running())
        return stop({});
    cancelled_ = true;
    encode_->cancel();  // finished(false) follows, then the run stops
}

void CdRip::startTrack()
{
    if (!running_)
        return;
    if (index_ >= static_cast<int>(lines_.size()))
        return stop({});
    folder_ = encoder::makeJobFolder(settings_.destination);
    if (folder_.isEmpty())
        return stop(QStringLiteral("Cannot write into the destination %1").arg(settings_.destination));
    if (!settings_.input.isEmpty() && settings_.input != cdDigitalAudio())
        return startCapture();
    const int track = lineTrack(lines_[index_]);
    QString error;
    reader_ = cd::TrackReader::open(settings_.source, track, error);
    if (!reader_)
        return stop(error);
    if (reader_->sectors() == 0)
        return trackFailed(QStringLiteral("track %1 holds no audio").arg(track));
    if (reader_->sectorsHeld() < reader_->sectors())
        return trackFailed(
            QStringLiteral("track %1: the image ends at %2").arg(track).arg(minutesSeconds(reader_->sectorsHeld())));
    writer_ = std::make_unique<WavWriter>();
    if (!writer_->open(QDir(folder_).filePath(QStringLiteral("track.wav"))))
        return stop(writer_->error());
    report(0, 0, texts_["Progress_Message1"]);
    QTimer::singleShot(0, this, &CdRip::readSlice);
}

void CdRip::startCapture()
{
    const int track = lineTrack(lines_[index_]);
    if (!settings_.device || track < 1 || track > static_cast<int>(settings_.toc.tracks.size()))
        return stop(QStringLiteral("The disc has no track %1").arg(track));
    capture_ = std::make_unique<TrackCapture>(*settings_.device, settings_.toc.tracks[track - 1]);
    connect(capture_.get(), &TrackCapture::progressed, this, [this] {
        const int song = percentOf(capture_->sectorsPlayed(), trackSectors(settings_.toc, lineTrack(lines_[index_])));
        report(song, 0, texts_["Progress_Message1"] + QStringLiteral(" - %1%").arg(song));
    });
    connect(capture_.get(), &TrackCapture::done, this, [this](bool ok, const QString &error) {
        if (!running_)
            return;
        if (!ok)
            return stop(QStringLiteral("The recording of %1 failed: %2").arg(lines_[index_], error));
        doneSectors_ += trackSectors(settings_.toc, lineTrack(lines_[index_]));
        capture_.reset();
        trackRecorded();
    }, Qt::QueuedConnection);
    QString error;
    if (!capture_->start(QDir(folder_).filePath(QStringLiteral("track.wav")), error))
        return stop(error);
    report(0, 0, texts_["Progress_Message1"]);
}

void CdRip::readSlice()
{
    if (!running_ || !reader_)
        return;
    QByteArray bytes;
    reader_->read(sectorsPerSlice, bytes);
    if (!writer_->write(bytes.constData(), bytes.size()))
        return stop(QStringLiteral("The recording of %1 failed: %2").arg(lines_[index_], writer_->error()));
    const int song = percentOf(reader_->sectorsRead(), reader_->sectors());
    report(song, 0, texts_["Progress_Message1"] + QStringLiteral(" - %1%").arg(song));
    if (!running_)  // cancelled by a listener of the report
        return;
    if (reader_->atEnd())
        trackRead();
    else
        QTimer::singleShot(0, this, &CdRip::readSlice);
}

void CdRip::trackRead()
{
    doneSectors_ += reader_->sectors();
    reader_.reset();
    if (!writer_->finish())
        return stop(QStringLiteral("The recording of %1 failed: %2").arg(lines_[index_], writer_->error()));
    writer_.reset();
    trackRecorded();
}

// The complete WAV file of the track is placed, or encoded and placed.
void CdRip::trackRecorded()
{
    const QString wav = QDir(folder_).filePath(QStringLiteral("track.wav"));
    if (!settings_.compress) {
        written_ += encoder::placeResult(wav, target(QStringLiteral(".wav")), dialogs_, texts_) ? 1 : 0;
        return nextTrack();
    }
    encode_ = std::make_unique<encoder::EncodeJob>(
        encoder::EncodeRequest{settings_.encoder, settings_.switches, wav, settings_.destination, settings_.options});
    connect(encode_.get(), &encoder::EncodeJob::progress, this, [this](int percent) {
        report(100, percent, texts_["Progress_Message2"] + QStringLiteral(" - %1%").arg(percent));
    });
    connect(encode_.get(), &encoder::EncodeJob::finished, this, &CdRip::encoded, Qt::QueuedConnection);
    report(100, 0, texts_["Progress_Message2"]);
    encode_->start();
}

void CdRip::encoded(bool ok, const QString &reason)
{
    if (ok) {
        report(100, 100, texts_["Progress_Message2"] + QStringLiteral(" - 100%"));
        if (!running_)  // cancelled by a listener of the report
            return;
        written_ += encode_->place(target(QStringLiteral(".mp3")), dialogs_, texts_) ? 1 : 0;
    }
    encode_.reset();
    if (!running_)
        return;
    if (cancelled_)
        return stop({});
    if (!ok)
        dialogs_.error(encoder::notEncodedMessage(texts_, reason));
    nextTrack();
}

// The track is not delivered; the run goes on with the next one.
void CdRip::trackFailed(const QString &why)
{
    doneSectors_ += trackSectors(settings_.toc, lineTrack(lines_[index_]));
    dialogs_.error(QStringLiteral("The recording of %1 failed: %2").arg(lines_[index_], why));
    nextTrack();
}

void CdRip::nextTrack()
{
    dropTrack();
    ++index_;
    QTimer::singleShot(0, this, &CdRip::startTrack);
}

void CdRip::stop(const QString &error)
{
    encode_.reset();
    dropTrack();
    running_ = false;
    if (!error.isEmpty())
        dialogs_.error(error);
    emit finished();
}

// Whatever of the current track is not placed yet goes.
void CdRip::dropTrack()
{
    capture_.reset();
    reader_.reset();
    writer_.reset();
    if (!folder_.isEmpty())
        QDir(folder_).removeRecursively();
    folder_.clear();
}

QString CdRip::target(const QString &extension) const
{
    const QString name = encoder::oneComponentName(lineName(lines_[index_]), extension);
    return name.isEmpty() ? QString() : QDir(settings_.destination).filePath(name);
}

void CdRip::report(int song, int encoder, const QString &action)
{
    const long sectors =
        doneSectors_ + (reader_ ? reader_->sectorsRead() : 0) + (capture_ ? capture_->sectorsPlayed() : 0);
    emit progress({index_, song, percentOf(sectors, totalSectors_), encoder, encode_ != nullptr, action});
}

}  // namespace recording
