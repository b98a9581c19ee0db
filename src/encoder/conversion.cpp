#include "encoder/conversion.h"

#include "decoder/sonark_player.h"
#include "encoder/encode_job.h"
#include "encoder/job_files.h"
#include "platform/dialogs.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace encoder {

QString wavToMp3Label() { return QStringLiteral("[WAV to MP3]  :  "); }
QString mp3ToWavLabel() { return QStringLiteral("[MP3 to WAV]  :  "); }
QString convertedLabel() { return QStringLiteral("[Converted ]  :  "); }
QString failedLabel() { return QStringLiteral("[  Failed  ]  :  "); }

static bool isWav(const QString &path)
{
    return path.toLower().endsWith(QLatin1String(".wav"));
}

QString conversionLine(const QString &path)
{
    return (isWav(path) ? wavToMp3Label() : mp3ToWavLabel()) + path;
}

static QString pathOf(const QString &line)
{
    return line.mid(labelLength);
}

Conversion::Conversion(platform::Dialogs &dialogs, QObject *parent) : QObject(parent), dialogs_(dialogs) {}

Conversion::~Conversion()
{
    delete player_;
    if (!decodeFolder_.isEmpty())
        QDir(decodeFolder_).removeRecursively();
}

bool Conversion::start(const QStringList &lines, const ConversionSettings &settings)
{
    if (running_ || lines.isEmpty())
        return false;
    if (settings.encoder.isEmpty() && std::any_of(lines.begin(), lines.end(), [](const QString &l) {
            return isWav(pathOf(l));
        })) {
        dialogs_.error(texts_["Error_Message5"]);
        return false;
    }
    lines_ = lines;
    notes_.clear();
    settings_ = settings;
    settings_.parallel = std::max(1, settings.parallel);
    next_ = done_ = 0;
    running_ = true;
    cancelled_ = false;
    startMore();
    return true;
}

void Conversion::cancel()
{
    if (!running_)
        return;
    cancelled_ = true;
    next_ = static_cast<int>(lines_.size());
    for (auto &[index, job] : encodes_)
        job->cancel();
    if (player_)
        endDecode(false, QStringLiteral("cancelled"));
}

QString Conversion::outputOf(const QString &path, const QString &extension) const
{
    const QFileInfo source(path);
    const QString folder = settings_.destination.isEmpty() ? source.path() : settings_.destination;
    return QDir(folder).filePath(source.completeBaseName() + extension);
}

void Conversion::startMore()
{
    while (next_ < lines_.size()) {
        const int active = static_cast<int>(encodes_.size()) + (player_ ? 1 : 0);
        const bool wav = isWav(pathOf(lines_[next_]));
        if (active >= settings_.parallel || (!wav && player_))
            break;
        const int index = next_++;
        wav ? startEncode(index) : startDecode(index);
    }
    if (running_ && encodes_.empty() && !player_ && next_ >= lines_.size()) {
        running_ = false;
        emit finished();
        return;
    }
    report();
}

void Conversion::startEncode(int index)
{
    const QString source = pathOf(lines_[index]);
    const QString output = outputOf(source, QStringLiteral(".mp3"));
    auto job = std::make_unique<EncodeJob>(
        EncodeRequest{settings_.encoder, settings_.switches, source, QFileInfo(output).path(), settings_.options});
    EncodeJob *raw = job.get();
    connect(raw, &EncodeJob::progress, this, &Conversion::report);
    connect(raw, &EncodeJob::finished, this, [this, index, raw, output](bool ok, const QString &reason) {
        const bool done = ok && placed(raw->place(output, dialogs_, texts_), output);
        if (!cancelled_ || ok)
            endLine(index, done, ok ? QStringLiteral("not placed") : notEncodedMessage(texts_, reason));
        encodes_.at(index).release()->deleteLater();
        encodes_.erase(index);
        startMore();
    });
    encodes_.emplace(index, std::move(job));
    raw->start();
}

void Conversion::startDecode(int index)
{
    const QString source = pathOf(lines_[index]);
    decodeIndex_ = index;
    decodeError_ = false;
    duration_ = songPercent_ = 0;
    decodeFolder_ = makeJobFolder(QFileInfo(outputOf(source, QStringLiteral(".wav"))).path());
    if (decodeFolder_.isEmpty()) {
        endLine(index, false, QStringLiteral("the destination cannot be written"));
        return;
    }
    auto *player = player_ = new TSonarkPlayer(this, dialogs_);
    const auto current = [this, player] { return player == player_; };
    connect(player, &TSonarkPlayer::OnNotifyInputDuration, this, [this, current](TSonarkPlayer *, int32_t seconds) {
        if (current())
            duration_ = seconds;
    });
    connect(player, &TSonarkPlayer::OnNotifyInputTimecode, this,
        [this, current](TSonarkPlayer *, uint8_t h, uint8_t m, uint8_t s, uint8_t) {
            if (!current() || duration_ <= 0)
                return;
            songPercent_ = static_cast<int>(std::clamp<qint64>((h * 3600LL + m * 60 + s) * 100 / duration_, 0, 100));
            report();
        });
    connect(player, &TSonarkPlayer::OnNotifyError, this,
        [this, current](TSonarkPlayer *, uint8_t, int16_t, const QString &message) {
            if (current() && !decodeError_) {
                decodeError_ = true;
                lastDecodeError_ = message;
            }
        });
    connect(player, &TSonarkPlayer::OnNotifyNack, this, [this, current](TSonarkPlayer *, uint8_t, int16_t) {
        if (current())
            endDecode(false, lastDecodeError_);
    });
    connect(player, &TSonarkPlayer::OnNotifyPlayerState, this, [this, current](TSonarkPlayer *, int state) {
        if (current() && (state == SK_STATE_EOF || state == SK_STATE_STOPPED))
            endDecode(state == SK_STATE_EOF && !decodeError_, lastDecodeError_);
    });
    player->SetOutputName(QStringLiteral("wav:") + QDir(decodeFolder_).filePath(QStringLiteral("decoded.wav")));
    player->InputOpen(source);
    player->Play();
}

void Conversion::endDecode(bool ok, const QString &reason)
{
    player_->deleteLater();
    player_ = nullptr;
    const QString decoded = QDir(decodeFolder_).filePath(QStringLiteral("decoded.wav"));
    const QString output = outputOf(pathOf(lines_[decodeIndex_]), QStringLiteral(".wav"));
    ok = ok && QFileInfo(decoded).size() > 44;
    const bool done = ok && placed(placeResult(decoded, output, dialogs_, texts_), output);
    QDir(decodeFolder_).removeRecursively();
    decodeFolder_.clear();
    if (!cancelled_)
        endLine(decodeIndex_, done, ok ? QStringLiteral("not placed") : reason);
    startMore();
}

bool Conversion::placed(const Placement &placement, const QString &wanted)
{
    if (placement.freeName)
        notes_ << placement.note(wanted);
    return static_cast<bool>(placement);
}

void Conversion::endLine(int index, bool ok, const QString &reason)
{
    lines_[index] = (ok ? convertedLabel() : failedLabel()) + pathOf(lines_[index]);
    ++done_;
    emit lineChanged(index, lines_[index], ok ? QString() : reason);
}

void Conversion::report()
{
    ConversionProgress p;
    const int count = static_cast<int>(lines_.size());
    p.total = count ? static_cast<int>(std::min<qint64>(100, (done_ + 1LL) * 100 / count)) : 0;
    QStringList names;
    int encoding = 0;
    for (const auto &[index, job] : encodes_) {
        names << QFileInfo(pathOf(lines_[index])).fileName();
        encoding += job->percent();
    }
    if (player_) {
        names << QFileInfo(pathOf(lines_[decodeIndex_])).fileName();
        p.song = songPercent_;
    }
    p.line = names.join(QStringLiteral(", "));
    if (!encodes_.empty()) {
        p.encoder = encoding / static_cast<int>(encodes_.size());
        p.action = texts_["Progress_Message2"] + QStringLiteral(" - %1%").arg(p.encoder);
    } else if (player_) {
        p.action = texts_["Progress_Message3"];
    }
    emit progress(p);
}

}  // namespace encoder
