#include "shell/file_types.h"

#include "platform/regular_file.h"
#include "platform/user_folder.h"
#include "platform/whole_file.h"
#include "shell/desktop_entry.h"
#include "shell/mime_apps.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>

#include <optional>

namespace shell {

namespace {

struct Group {
    QString entry, description, iconName;
    QStringList types;
};

// A real list holds a few lines per program.
constexpr qint64 maxListBytes = 1024 * 1024;

const QString audioEntry = QStringLiteral("ludropro-mpeg-file.desktop");
const QString playlistEntry = QStringLiteral("ludropro-mpeg-playlist.desktop");

// .mp1 joins the system's audio/mpeg, .dmp gets a type of its own; the
// other extensions already have the system's types.
QByteArray mimePackage()
{
    return QStringLiteral(
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
               "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
               "  <mime-type type=\"audio/mpeg\">\n"
               "    <glob pattern=\"*.mp1\"/>\n"
               "  </mime-type>\n"
               "  <mime-type type=\"%1\">\n"
               "    <comment>Ludro MPEG Audio Playlist</comment>\n"
               "    <sub-class-of type=\"text/plain\"/>\n"
               "    <glob pattern=\"*.dmp\"/>\n"
               "  </mime-type>\n"
               "</mime-info>\n")
        .arg(QLatin1String(dmpType))
        .toUtf8();
}

QString run(const QString &program, const QStringList &arguments, QString *output = nullptr)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000))
        return QStringLiteral("%1: %2").arg(program, process.errorString());
    if (output)
        *output = QString::fromUtf8(process.readAllStandardOutput()).trimmed();
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return QStringLiteral("%1: %2").arg(program, QString::fromUtf8(process.readAllStandardError()).trimmed());
    return {};
}

// Only rewritten when it changes, so a second registration leaves the files
// (and their times) as they were.
QString save(const QString &path, const QByteArray &contents)
{
    if (platform::readLimitedFile(path, contents.size()) == contents)
        return {};
    return platform::saveWholeFile(path, contents);
}

// The user's mimeapps.list as it stands, empty when there is none. A pipe,
// a device or a list too large to be one is refused before anything is
// written: reading it would block or never end, and writing ours in its
// place would lose the user's other defaults.
std::optional<QByteArray> readDefaultsList(const QString &path, QString *error)
{
    if (const QFileInfo info(path); !info.exists() && !info.isSymLink())
        return QByteArray();
    QFile file(path);
    QString failure;
    if (platform::openRegularFile(file, QIODevice::ReadOnly, &failure)) {
        const QByteArray bytes = file.size() > maxListBytes ? QByteArray() : file.read(maxListBytes + 1);
        if (file.error() != QFileDevice::NoError)
            failure = file.errorString();
        else if (file.size() > maxListBytes || bytes.size() > maxListBytes)
            failure = QStringLiteral("larger than %1 MB").arg(maxListBytes / (1024 * 1024));
        else
            return bytes;
    }
    *error = QStringLiteral("%1 cannot be read (%2), so it was left as it is").arg(path, failure);
    return std::nullopt;
}

// An icon that cannot be read leaves the entry without one.
QString pngIcon(const QString &ico, const QString &png, QString *error)
{
    const QImage image = ico.isEmpty() ? QImage() : QImage(ico);
    if (image.isNull())
        return {};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    *error = save(png, bytes);
    return png;
}

// The desktop-specific list that answers before ours, if one names another
// program for one of our types.
QString overridingList(const QString &configHome)
{
    for (const QString &desktop : qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(u':', Qt::SkipEmptyParts)) {
        const QString path = configHome + u'/' + desktop.toLower() + QStringLiteral("-mimeapps.list");
        if (QFile::exists(path))
            return path;
    }
    return {};
}

}  // namespace

QStringList iconFiles(const QStringList &folders)
{
    QStringList names;
    QStringList paths;
    for (const QString &folder : folders)
        for (const QString &name : QDir(folder).entryList({QStringLiteral("*.ico")}, QDir::Files, QDir::Unsorted))
            if (!names.contains(name, Qt::CaseInsensitive)) {
                names << name;
                paths << folder + name;
            }
    return paths.mid(0, 101);
}

Registration registerFileTypes(const QString &program, const QString &audioIcon, const QString &playlistIcon)
{
    const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    const QString configHome = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    const QString applications = dataHome + QStringLiteral("/applications/");
    const QString icons = dataHome + QStringLiteral("/ludropro/icons/");
    const QString packages = dataHome + QStringLiteral("/mime/packages/");
    if (program.isEmpty())
        return {Registration::Failed, QStringLiteral("no program path")};
    for (const QString &folder : {applications, icons, packages, configHome})
        if (!QDir().mkpath(folder))
            return {Registration::Failed, QStringLiteral("cannot make %1").arg(folder)};
    const QString listPath = configHome + QStringLiteral("/mimeapps.list");
    QString error;
    const std::optional<QByteArray> oldList = readDefaultsList(listPath, &error);
    if (!oldList)
        return {Registration::Failed, error};

    const Group groups[] = {
        {audioEntry, QStringLiteral("Ludro MPEG Audio File"), audioIcon, {"audio/mpeg", "audio/mp2"}},
        {playlistEntry, QStringLiteral("Ludro MPEG Audio Playlist"), playlistIcon,
         {"audio/x-mpegurl", "application/vnd.apple.mpegurl", "audio/x-scpls", QLatin1String(dmpType)}},
    };
    error = save(packages + QStringLiteral("ludropro.xml"), mimePackage());
    QList<std::pair<QString, QString>> defaults;
    for (const Group &group : groups) {
        const QString baseName = group.entry.chopped(8);
        const QString icon = error.isEmpty() ? pngIcon(group.iconName, icons + baseName + ".png", &error) : QString();
        if (error.isEmpty())
            error = save(applications + group.entry, desktopEntry(group.description, program, icon, group.types));
        for (const QString &type : group.types)
            defaults.append({type, group.entry});
    }
    if (error.isEmpty())
        error = save(listPath, withDefaults(*oldList, defaults));
    if (error.isEmpty())
        error = run(QStringLiteral("update-mime-database"), {dataHome + QStringLiteral("/mime")});
    if (!error.isEmpty())
        return {Registration::Failed, error};

    for (const auto &[type, entry] : std::as_const(defaults)) {
        QString answer;
        error = run(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"), type}, &answer);
        if (!error.isEmpty())
            return {Registration::Failed, error};
        if (answer != entry) {
            const QString list = overridingList(configHome);
            return {Registration::NotDefault, list.isEmpty() ? answer : list};
        }
    }
    return {Registration::Registered, {}};
}

}  // namespace shell
