// Renders the tag editor and the equalizer with sample contents into PNGs,
// enlarged with whole pixels, for the documentation:
// sound-windows-shot TAG.png EQ.png [SCALE]

#include "playlist/id3_form.h"
#include "playlist/playlist_model.h"
#include "sound/eq_form.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

class SilentDialogs : public platform::QtDialogs {
public:
    QString askAddress() override { return {}; }
    int chooseSong(const QStringList &) override { return -1; }
};

bool save(QWidget &window, const QString &path, int scale)
{
    window.show();
    QApplication::processEvents();
    const QImage shot = window.grab().toImage();
    return shot.scaled(shot.size() * scale, Qt::IgnoreAspectRatio, Qt::FastTransformation).save(path);
}

}  // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3) {
        QTextStream(stderr) << "usage: sound-windows-shot TAG.png EQ.png [SCALE]\n";
        return 2;
    }
    const int scale = args.size() > 3 ? std::max(1, args[3].toInt()) : 2;
    SilentDialogs dialogs;

    QTemporaryDir home;
    const QString song = home.filePath("Morning Waltz.mp3");
    QFile(song).open(QIODevice::WriteOnly);
    id3::TagWriter().save(song,
                          Id3Tag{"Morning Waltz", "The Graphite Quartet", "Quiet Hours", "1999", "Recorded live", 32});
    PlaylistModel playlist;
    TID3Form tagForm(playlist, dialogs);
    tagForm.fill(song, 0);
    tagForm.setFileInformation({"0:25", "MPEG 1", "Layer 3", "128 kbps", "44100 Hz", "Joint Stereo"});

    QDir(home.path()).mkdir("presets");
    const QStringList presets{home.filePath("presets") + '/'};
    const TextureManager textures;
    TEQForm eqForm(textures, presets, dialogs);
    for (const char *name : {"Classical", "Dance", "Large Hall", "Live", "Rock", "Soft"})
        PresetFolder(presets).save(name, {});
    eqForm.setStoredValues({-34, -34, -20, -3, 5, 21, 25, 22, 5, -12, -30, -30});
    eqForm.setUseEqualizer(true);
    eqForm.trackbar(5).SetPosition(20);
    eqForm.trackbar(5).SetPosition(21);

    if (!save(tagForm, args[1], scale) || !save(eqForm, args[2], scale)) {
        QTextStream(stderr) << "cannot write the pictures\n";
        return 1;
    }
    return 0;
}
