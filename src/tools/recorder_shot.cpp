// Renders the CD recorder for the documentation: its window with a disc's
// tracks and a recording list beside the recorder setup window, and the
// progress window during a real run (a synthesized disc image, ripped and
// encoded by lame); with a texture folder, the recorder wears that texture:
//   recorder-shot RECORDER.png PROGRESS.png [TEXTURE-FOLDER]

#include "cd/cd_device.h"
#include "cd/disc_id.h"
#include "cd/disc_names.h"
#include "cd/track_names.h"
#include "encoder/progress_form.h"
#include "platform/dialogs.h"
#include "recording/as_form.h"
#include "recording/rec_form.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QListWidget>
#include <QPainter>
#include <QTemporaryDir>
#include <QTextStream>

#include <cmath>

namespace {

class SilentDialogs : public platform::QtDialogs {
public:
    QString askAddress() override { return {}; }
    int chooseSong(const QStringList &) override { return -1; }
};

constexpr long trackSectors = 75 * 40;

// A disc of `count` tracks of 40 s tones, as a .cue and its .bin.
QString writeImage(const QString &folder, int count)
{
    QFile bin(folder + "/disc.bin");
    if (!bin.open(QIODevice::WriteOnly))
        return {};
    QString cue = "FILE \"disc.bin\" BINARY\n";
    for (int t = 0; t < count; ++t) {
        const long start = t * trackSectors;
        cue += QString::asprintf("  TRACK %02d AUDIO\n    INDEX 01 %02ld:%02ld:00\n", t + 1, start / 75 / 60,
                                 start / 75 % 60);
        QByteArray samples(trackSectors * 2352, Qt::Uninitialized);
        auto *out = reinterpret_cast<int16_t *>(samples.data());
        for (long i = 0; i < trackSectors * 588; ++i)
            out[2 * i] = out[2 * i + 1] = static_cast<int16_t>(9000 * std::sin(i * (0.03 + 0.01 * t)));
        bin.write(samples);
    }
    QFile file(folder + "/disc.cue");
    return file.open(QIODevice::WriteOnly) && file.write(cue.toUtf8()) > 0 ? file.fileName() : QString();
}

QImage sideBySide(const QImage &left, const QImage &right)
{
    QImage shot(left.width() + right.width() + 16, std::max(left.height(), right.height()), QImage::Format_RGB32);
    shot.fill(Qt::darkGray);
    QPainter painter(&shot);
    painter.drawImage(0, 0, left);
    painter.drawImage(left.width() + 16, 0, right);
    return shot;
}

}  // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (app.arguments().size() < 3) {
        QTextStream(stderr) << "usage: recorder-shot RECORDER.png PROGRESS.png [TEXTURE-FOLDER]\n";
        return 2;
    }
    QTemporaryDir dir;
    const QString cue = writeImage(dir.path(), 6);
    cd::CdDevice device(cue);
    if (cue.isEmpty() || !device.open())
        return 1;
    cd::DiscNames names{"Night Songs", "The Harbour Band",
                        {"Harbour Lights", "Quiet Hours", "Morning Waltz", "Graphite", "Night Train", "Last Dance"}};
    cd::saveTrackNames(dir.filePath("tracks"), cd::computeDiscId(device.tableOfContents()).id, names);
    device.close();

    SilentDialogs dialogs;
    QString destination = dir.filePath("out/");
    int input = 0;
    QDir().mkpath(destination);
    TASForm setup(dialogs, [] { return encoder::EncoderSetup{"lame", encoder::switchesOf(encoder::EncoderKind::Lame)}; },
                  destination, input);
    const QFileInfo texture(app.arguments().value(3));
    TextureManager textures({texture.absolutePath() + '/'});
    if (app.arguments().size() > 3 && !textures.apply(texture.fileName())) {
        QTextStream(stderr) << "cannot use the texture " << texture.filePath() << "\n";
        return 1;
    }
    TRecForm recorder(device, setup, dialogs, dir.filePath("tracks"), [] { return false; }, textures);
    recorder.show();
    for (int row : {0, 2, 3, 5})
        recorder.CDTracks->item(row)->setSelected(true);
    recorder.Add();
    recorder.StartClick();
    QApplication::processEvents();  // the layouts take the new label texts
    if (!sideBySide(recorder.grab().toImage(), setup.grab().toImage()).save(app.arguments().at(1)))
        return 1;

    bool saved = false;
    QObject::connect(&setup.run(), &recording::CdRip::progress, [&](const recording::RipProgress &p) {
        if (p.line == 1 && p.encoder >= 30 && !saved) {
            saved = setup.Progress->grab().toImage().save(app.arguments().at(2));
            setup.run().cancel();
        }
    });
    QObject::connect(&setup.run(), &recording::CdRip::finished, &app, &QApplication::quit, Qt::QueuedConnection);
    setup.ButtonStartClick();
    app.exec();
    return saved ? 0 : 1;
}
