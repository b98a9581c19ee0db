// Loading Winamp skins as people zip them, each from its archive: the
// shipped skin flat, inside a folder, with Windows paths and other letter
// cases beside a readme, with region.txt, with Nums_ex.bmp only, and with
// a 2048 x 2048 checkerboard mask.
//   bench-skin-load [ROUNDS]

#include "appearance/texture_manager.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>

#include <zip.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

namespace {

using Members = std::vector<std::pair<QByteArray, QByteArray>>;

void fail(const char *what)
{
    std::fprintf(stderr, "bench-skin-load: %s\n", what);
    std::exit(1);
}

void writeZip(const QString &path, const Members &members)
{
    int error = 0;
    zip_t *archive = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!archive)
        fail("cannot write a zip");
    for (const auto &[name, bytes] : members) {
        zip_source_t *source = zip_source_buffer(archive, bytes.constData(), zip_uint64_t(bytes.size()), 0);
        if (!source || zip_file_add(archive, name.constData(), source, ZIP_FL_ENC_UTF_8) < 0)
            fail("cannot add to a zip");
    }
    if (zip_close(archive) != 0)
        fail("cannot close a zip");
}

QByteArray bitmapBytes(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

// The skins of the set, by file name.
std::vector<std::pair<QString, Members>> skinSet(const QString &shipped)
{
    Members flat;
    const QDir folder(shipped);
    for (const QString &name : folder.entryList(QDir::Files)) {
        QFile file(folder.filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            fail("cannot read the shipped skin");
        flat.emplace_back(name.toUtf8(), file.readAll());
    }
    if (flat.empty())
        fail("the shipped skin Alloy is missing (build the 'textures' target)");
    auto placed = [&flat](const QByteArray &prefix, bool upper) {
        Members members{{prefix + "readme.txt", "about this skin"}, {prefix + "Normal.cur", "a cursor"}};
        for (const auto &[name, bytes] : flat)
            members.emplace_back(prefix + (upper ? name.toUpper() : name), bytes);
        return members;
    };
    Members region = placed("Region/", false);
    region.emplace_back("Region/region.txt", "[Normal]\r\nNumPoints=8\r\nPointList=0,1, 275,1, 275,115, 272,116, "
                                             "3,116, 0,115, 0,1, 0,1\r\n[WindowShade]\r\nNumPoints=4\r\n"
                                             "PointList=0,0,275,0,275,14,0,14\r\n");
    Members numsEx;
    for (auto [name, bytes] : flat) {
        if (name.compare("numbers.bmp", Qt::CaseInsensitive) == 0) {
            QImage digits;
            digits.loadFromData(bytes, "BMP");
            QImage extended(108, digits.height(), QImage::Format_RGB32);
            extended.fill(Qt::black);
            for (int y = 0; y < digits.height(); ++y)
                for (int x = 0; x < std::min(99, digits.width()); ++x)
                    extended.setPixel(x, y, digits.pixel(x, y));
            name = "NUMS_EX.BMP";
            bytes = bitmapBytes(extended);
        }
        numsEx.emplace_back(name, bytes);
    }
    QImage checkers(2048, 2048, QImage::Format_RGB32);
    for (int y = 0; y < checkers.height(); ++y)
        for (int x = 0; x < checkers.width(); ++x)
            checkers.setPixel(x, y, (x + y) % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
    Members checkered = flat;
    checkered.emplace_back("mainmask.bmp", bitmapBytes(checkers));
    return {{"Flat.wsz", flat},
            {"InAFolder.wsz", placed("Alloy Remake/", false)},
            {"Windows.wsz", placed("alloy\\", true)},
            {"Region.wsz", region},
            {"NumsEx.wsz", numsEx},
            {"Checkers.wsz", checkered}};
}

}  // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(3, std::atoi(argv[1])) : 30;
    QTemporaryDir home;
    const QString textures = home.path() + "/textures/";
    QDir().mkpath(textures);
    const auto skins = skinSet(LUDRO_PROGRAM_DIR "/textures/Alloy");
    for (const auto &[name, members] : skins)
        writeZip(textures + name, members);

    TextureManager manager({textures});
    std::vector<double> medians;
    for (const auto &[name, members] : skins) {
        std::vector<double> times;
        for (int i = 0; i < rounds; ++i) {
            QElapsedTimer clock;
            clock.start();
            QString error;
            if (!manager.apply(name, &error))
                fail(qPrintable(name + ": " + error));
            times.push_back(clock.nsecsElapsed() / 1e6);
        }
        std::sort(times.begin(), times.end());
        medians.push_back(times[times.size() / 2]);
        std::printf("%-14s loaded %d times: median %.1f ms, slowest %.1f ms\n", qPrintable(name), rounds,
                    medians.back(), times.back());
    }
    std::sort(medians.begin(), medians.end());
    std::printf("median of the skins' medians: %.1f ms, slowest skin's median %.1f ms (target: each at most 30 ms)\n",
                medians[medians.size() / 2], medians.back());
    return 0;
}
