#include "program_folder.h"

#include <QCoreApplication>

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

}  // namespace platform
