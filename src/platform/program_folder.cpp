#include "program_folder.h"

#include "user_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace platform {

QString programFolder()
{
    QString folder = qEnvironmentVariable("LUDRO_HOME");
    if (folder.isEmpty())
        folder = QCoreApplication::applicationDirPath();
    if (!folder.endsWith('/'))
        folder += '/';
    return folder;
}

QString pathIgnoringCase(const QString &folder, const QString &name)
{
    if (QFileInfo::exists(folder + name))
        return folder + name;
    const QString found = findIgnoringCase(
        QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot), name);
    return folder + (found.isEmpty() ? name : found);
}

}  // namespace platform
