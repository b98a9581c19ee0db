#include "data_folders.h"

#include "program_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace platform {

namespace {

QString withSlash(QString folder)
{
    if (!folder.isEmpty() && !folder.endsWith('/'))
        folder += '/';
    return folder;
}

}  // namespace

DataFolders DataFolders::current()
{
    Facts facts;
    facts.ludroHome = withSlash(qEnvironmentVariable("LUDRO_HOME"));
    facts.executableFolder = withSlash(QCoreApplication::applicationDirPath());
    facts.executableFolderWritable = QFileInfo(facts.executableFolder).isWritable();
    const QString shared = QDir::cleanPath(facts.executableFolder + QStringLiteral("../share/ludro-pro"));
    if (QFileInfo(shared).isDir())
        facts.installedData = shared + '/';
    facts.dataHome = withSlash(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
    return decide(facts);
}

DataFolders DataFolders::decide(const Facts &facts)
{
    DataFolders folders;
    if (!facts.ludroHome.isEmpty()) {
        folders.user_ = facts.ludroHome;
    } else if (facts.installedData.isEmpty() && facts.executableFolderWritable) {
        folders.user_ = facts.executableFolder;
    } else {
        folders.user_ = facts.dataHome + QStringLiteral("ludro-pro/");
        folders.installed_ = facts.installedData.isEmpty() ? facts.executableFolder : facts.installedData;
    }
    return folders;
}

QStringList DataFolders::search(const QString &name) const
{
    QStringList found{pathIgnoringCase(user_, name) + '/'};
    if (!installed_.isEmpty())
        found << pathIgnoringCase(installed_, name) + '/';
    return found;
}

bool DataFolders::makeUserFolder() const
{
    return QDir().mkpath(user_);
}

QString findInFolders(const QStringList &folders, const QString &name)
{
    for (const QString &folder : folders) {
        const QString path = pathIgnoringCase(folder, name);
        if (QFileInfo::exists(path))
            return path;
    }
    return folders.isEmpty() ? QString() : folders.first() + name;
}

QStringList mergedNames(const QList<QStringList> &lists)
{
    QStringList merged;
    for (const QStringList &list : lists)
        for (const QString &name : list)
            if (!merged.contains(name, Qt::CaseInsensitive))
                merged << name;
    return merged;
}

}  // namespace platform
