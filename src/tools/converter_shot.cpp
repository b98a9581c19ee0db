// Renders the converter window and its progress window during a real batch
// (synthesized WAV files encoded by lame) into one PNG for the documentation:
// converter-shot OUT.png

#include "encoder/conv_form.h"
#include "encoder/progress_form.h"
#include "platform/dialogs.h"

#include <QApplication>
#include <QDataStream>
#include <QElapsedTimer>
#include <QFile>
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

// `seconds` of a stereo tone at 44100 Hz.
bool writeTone(const QString &path, int seconds, double hz)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const quint32 frames = 44100u * static_cast<quint32>(seconds), bytes = frames * 4;
    QDataStream out(&file);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("RIFF", 4);
    out << quint32(36 + bytes);
    out.writeRawData("WAVEfmt ", 8);
    out << quint32(16) << quint16(1) << quint16(2) << quint32(44100) << quint32(44100 * 4) << quint16(4)
        << quint16(16);
    out.writeRawData("data", 4);
    out << bytes;
    for (quint32 i = 0; i < frames; ++i) {
        const auto v = static_cast<qint16>(8000 * std::sin(2 * M_PI * hz * i / 44100));
        out << v << v;
    }
    return out.status() == QDataStream::Ok;
}

}  // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (app.arguments().size() < 2) {
        QTextStream(stderr) << "usage: converter-shot OUT.png\n";
        return 2;
    }
    QTemporaryDir dir;
    QStringList files;
    for (const char *name : {"Morning Waltz.wav", "Harbour Lights.wav", "Quiet Hours.wav", "Graphite.wav",
             "Night Train.wav", "Last Dance.wav"}) {
        files << dir.filePath(name);
        if (!writeTone(files.back(), 120, 220 + 40 * files.size()))
            return 1;
    }
    SilentDialogs dialogs;
    TConvForm form(dialogs, [] { return encoder::EncoderSetup{"lame", encoder::switchesOf(encoder::EncoderKind::Lame)}; });
    form.addFiles(files);
    form.show();
    form.StartClick();
    // Wait until the first files are done and the next ones are well under way.
    QElapsedTimer clock;
    clock.start();
    while (form.conversion().running() && !form.ConvList->item(1)->text().startsWith(encoder::convertedLabel())
           && clock.elapsed() < 60000)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    clock.restart();
    while (form.conversion().running() && clock.elapsed() < 800)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    const QImage list = form.grab().toImage(), progress = form.Progress->grab().toImage();
    QImage shot(list.width() + progress.width() + 16, std::max(list.height(), progress.height()), QImage::Format_RGB32);
    shot.fill(Qt::darkGray);
    QPainter painter(&shot);
    painter.drawImage(0, 0, list);
    painter.drawImage(list.width() + 16, 0, progress);
    painter.end();
    form.conversion().cancel();
    return shot.save(app.arguments().at(1)) ? 0 : 1;
}
