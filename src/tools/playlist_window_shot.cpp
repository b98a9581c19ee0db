// Renders the playlist window holding a playlist into a PNG, as after each
// song has played once (tags and times known), enlarged with whole pixels:
// playlist-window-shot OUT.png PLAYLIST [SCALE]
// or its CD view showing the names in a disc's names file (tracks/DISCID):
// playlist-window-shot OUT.png --cd NAMESFILE [SCALE]

#include "cd/track_names.h"
#include "platform/dialogs.h"
#include "playlist/id3_tag.h"
#include "playlist/pl_form.h"
#include "playlist/playlist_file.h"
#include "playlist/song_tag.h"

#include <QApplication>
#include <QFileInfo>
#include <QImage>
#include <QTextStream>

#include <mpg123.h>

namespace {

// The shot asks nothing; Qt's boxes stand by for form's sake.
class ShotDialogs : public platform::QtDialogs {
public:
    QString askAddress() override { return {}; }
    int chooseSong(const QStringList &) override { return -1; }
};

// The song's length as the decoder reports it, "m:ss"; "..." when unknown.
QString songTime(const QString &path)
{
    mpg123_handle *handle = mpg123_new(nullptr, nullptr);
    QString time = QStringLiteral("...");
    long rate = 0;
    int channels = 0, encoding = 0;
    if (handle && mpg123_open(handle, QFile::encodeName(path).constData()) == MPG123_OK &&
        mpg123_getformat(handle, &rate, &channels, &encoding) == MPG123_OK && mpg123_scan(handle) == MPG123_OK) {
        const off_t samples = mpg123_length(handle);
        if (samples > 0 && rate > 0) {
            const long seconds = static_cast<long>(samples / rate);
            time = QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
        }
    }
    mpg123_delete(handle);
    return time;
}

// The names as the player reads them from a disc's names file.
void showDisc(TPLForm &form, const QString &namesFile)
{
    const QFileInfo file(namesFile);
    cd::DiscId disc;
    disc.id = file.fileName();
    cd::DiscNames names;
    cd::loadTrackNames(file.path(), disc, {}, 0, names);
    QStringList lines;
    for (int i = 0; i < names.tracks.size(); ++i)
        lines << QStringLiteral("%1. %2").arg(QString::number(i + 1), names.tracks[i]);
    form.setCdView(true);
    form.setCdTitle(names.title);
    form.setCdArtist(names.artist);
    form.setCdLines(lines);
    form.selectCdLine(1);
}

}  // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3) {
        QTextStream(stderr) << "usage: playlist-window-shot OUT.png PLAYLIST [SCALE]\n";
        return 2;
    }
    mpg123_init();

    const bool disc = args[2] == "--cd";
    if (disc && args.size() < 4) {
        QTextStream(stderr) << "usage: playlist-window-shot OUT.png --cd NAMESFILE [SCALE]\n";
        return 2;
    }
    const QString scaleArgument = args.value(disc ? 4 : 3);
    const int scale = scaleArgument.isEmpty() ? 2 : std::max(1, scaleArgument.toInt());
    PlaylistModel playlist;
    if (!disc)
        playlist_files::readPlaylistFile(playlist, args[2]);
    for (int i = 0; i < playlist.entryCount(); ++i) {
        showTagColumns(playlist, i, id3::readTag(playlist.entryPath(i)));
        playlist.setColumn(i, PlaylistEntry::Time, songTime(playlist.entryPath(i)));
    }
    ShotDialogs dialogs;
    const TextureManager textures;
    TPLForm form(playlist, dialogs, textures);
    form.resize(640, 260);
    form.show();
    if (disc)
        showDisc(form, args[3]);
    else
        form.select(1);
    QApplication::processEvents();
    const QImage shot = form.grab().toImage();
    const QImage enlarged = shot.scaled(shot.size() * scale, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    if (!enlarged.save(args[1])) {
        QTextStream(stderr) << "cannot write " << args[1] << "\n";
        return 1;
    }
    return 0;
}
