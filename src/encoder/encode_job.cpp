#include "encoder/encode_job.h"

#include "encoder/encoder_detection.h"
#include "encoder/job_files.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <csignal>

#include <unistd.h>

namespace encoder {
namespace {

constexpr std::chrono::milliseconds terminateGrace{2000};

}  // namespace

QString notEncodedMessage(const Messages &texts, const QString &reason)
{
    return texts["Error_Message3"] + QStringLiteral("\n(") + reason + QLatin1Char(')');
}

EncodeJob::EncodeJob(EncodeRequest request, QObject *parent)
    : QObject(parent), request_(std::move(request))
{
    process_.setStandardInputFile(QProcess::nullDevice());
    process_.setStandardOutputFile(QProcess::nullDevice());
    process_.setStandardErrorFile(QProcess::nullDevice());
    process_.setChildProcessModifier([parent = getpid()] { ProcessGroup::childSetup(parent); });
    connect(&process_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            end(false, QStringLiteral("the encoder cannot be started: %1").arg(process_.errorString()));
    });
    connect(&process_, &QProcess::finished, this, [this](int code, QProcess::ExitStatus status) {
        if (cancelled_)
            end(false, QStringLiteral("cancelled"));
        else if (status != QProcess::NormalExit)
            end(false, QStringLiteral("the encoder was ended abnormally"));
        else if (code != 0)
            end(false, QStringLiteral("the encoder exited with status %1").arg(code));
        else if (QFileInfo(output_).size() <= 0)
            end(false, QStringLiteral("the encoder wrote no output"));
        else
            end(true, {});
    });
    progressTimer_.setInterval(250);
    connect(&progressTimer_, &QTimer::timeout, this, [this] { emit progress(percent()); });
}

EncodeJob::~EncodeJob()
{
    if (running()) {
        process_.disconnect(this);
        group_.signal(SIGKILL);
        process_.kill();
        process_.waitForFinished(2000);
    }
    group_.end();
    removeFolder();
}

void EncodeJob::start()
{
    const QString program = resolveProgram(request_.program);
    if (program.isEmpty())
        return end(false, QStringLiteral("no executable encoder \"%1\"").arg(request_.program));
    folder_ = makeJobFolder(request_.destination);
    if (folder_.isEmpty())
        return end(false, QStringLiteral("cannot write into %1").arg(request_.destination));
    output_ = QDir(folder_).filePath(QStringLiteral("encoded.mp3"));
    const qint64 source = QFileInfo(request_.input).size();
    expectedSize_ = (source / 1000) * (request_.options.bitRate / 1411);
    process_.start(program, encoderArguments(program, request_.switches, request_.input, output_, request_.options));
    if (process_.processId() > 0)
        group_.watch(static_cast<pid_t>(process_.processId()), terminateGrace);
    progressTimer_.start();
}

bool EncodeJob::place(const QString &target, platform::Dialogs &dialogs, const Messages &texts)
{
    const bool placed = placeResult(output_, target, dialogs, texts);
    removeFolder();
    return placed;
}

void EncodeJob::cancel()
{
    if (!running())
        return;
    cancelled_ = true;
    group_.signal(SIGTERM);
    process_.terminate();
    QTimer::singleShot(terminateGrace, &process_, [this] {
        if (!running())
            return;
        group_.signal(SIGKILL);
        process_.kill();
    });
}

bool EncodeJob::running() const
{
    return process_.state() != QProcess::NotRunning;
}

int EncodeJob::percent() const
{
    if (expectedSize_ <= 0)
        return 0;
    const qint64 written = QFileInfo(output_).size();
    return static_cast<int>(std::clamp<qint64>(written * 100 / expectedSize_, 0, 100));
}

void EncodeJob::end(bool ok, const QString &reason)
{
    if (ended_)
        return;
    ended_ = true;
    progressTimer_.stop();
    group_.end();
    if (!ok)
        removeFolder();
    emit finished(ok, reason);
}

void EncodeJob::removeFolder()
{
    if (!folder_.isEmpty())
        QDir(folder_).removeRecursively();
    folder_.clear();
}

}  // namespace encoder
