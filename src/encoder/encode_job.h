#pragma once

// One run of the external encoder: a WAV file in, an MP3 file out. The
// encoder writes into the job's private folder inside the destination; the
// caller places the result (see job_files.h). The user's source file is
// only read. The encoder's stdin is /dev/null and its output is discarded,
// so it can never block on a pipe; the GUI keeps running meanwhile. The
// encoder and whatever it starts form a process group that ends with the
// job, also when this process is killed (see process_group.h).

#include "encoder/encoder_kind.h"
#include "encoder/process_group.h"
#include "language/messages.h"

#include <QObject>
#include <QProcess>
#include <QString>
#include <QTimer>

namespace platform {
class Dialogs;
}

namespace encoder {

struct EncodeRequest {
    QString program;  // a path, or a bare name looked up on the PATH
    EncoderSwitches switches;
    QString input;        // the WAV file
    QString destination;  // folder of the output
    EncodeOptions options;
};

class EncodeJob : public QObject {
    Q_OBJECT

public:
    explicit EncodeJob(EncodeRequest request, QObject *parent = nullptr);
    // Ends a running encoder at once and removes the private folder.
    ~EncodeJob() override;

    void start();
    // Ends the encoder and what it started (SIGTERM, SIGKILL after 2 s);
    // finished(false) follows.
    void cancel();
    bool running() const;
    // After finished(true): moves the encoded file to `target` without
    // replacing a file (asking for another name, see placeResult) and
    // removes the private folder. False when the user gave up.
    bool place(const QString &target, platform::Dialogs &dialogs, const Messages &texts);
    // Percent of the expected size written so far, 0 … 100.
    int percent() const;

signals:
    void progress(int percent);
    // On failure `reason` says why, and no file of the job is left.
    void finished(bool ok, const QString &reason);

private:
    void end(bool ok, const QString &reason);
    void removeFolder();

    EncodeRequest request_;
    QProcess process_;
    ProcessGroup group_;
    QTimer progressTimer_;
    QString folder_, output_;
    qint64 expectedSize_ = 0;
    bool cancelled_ = false;
    bool ended_ = false;
};

// The message of a failed encode, with the reason on its own line.
QString notEncodedMessage(const Messages &texts, const QString &reason);

}  // namespace encoder
