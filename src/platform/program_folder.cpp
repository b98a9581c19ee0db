#include "program_folder.h"

#include "user_folder.h"

#include <QDir>
#include <QFileInfo>

namespace platform {

QString pathIgnoringCase(const QString &folder, const QString &name)
{
    if (QFileInfo::exists(folder + name))
        return folder + name;
    const QString found = findIgnoringCase(
        QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot), name);
    return folder + (found.isEmpty() ? name : found);
}

}  // namespace platform
