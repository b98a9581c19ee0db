#include "encoder/encoder_detection.h"

#include "platform/program_folder.h"

#include <QFileInfo>
#include <QStandardPaths>

namespace encoder {

static bool isExecutableFile(const QString &path)
{
    const QFileInfo info(path);
    return info.isFile() && info.isExecutable();
}

QStringList detectEncoders(const QString &programFolder)
{
    QStringList found;
    for (const char *name : {"BladeEnc.exe", "L3Enc.exe", "MP3Enc.exe", "MP3EncDemo.exe"}) {
        const QString path = platform::pathIgnoringCase(programFolder, QLatin1String(name));
        if (isExecutableFile(path))
            found << path;
    }
    const QString lame = QStandardPaths::findExecutable(QStringLiteral("lame"));
    if (!lame.isEmpty())
        found << lame;
    return found;
}

QString resolveProgram(const QString &path)
{
    if (path.isEmpty())
        return {};
    if (!path.contains(QLatin1Char('/')))
        return QStandardPaths::findExecutable(path);
    return isExecutableFile(path) ? QFileInfo(path).absoluteFilePath() : QString();
}

}  // namespace encoder
