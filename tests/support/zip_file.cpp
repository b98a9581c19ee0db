#include "support/zip_file.h"

#include "support/files.h"

#include <zip.h>

QByteArray writeZip(const QString &path, const ZipMembers &members)
{
    int error = 0;
    zip_t *archive = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    for (const auto &[name, bytes] : members) {
        zip_source_t *source = zip_source_buffer(archive, bytes.constData(), zip_uint64_t(bytes.size()), 0);
        if (!source || zip_file_add(archive, name.constData(), source, ZIP_FL_ENC_UTF_8) < 0) {
            zip_source_free(source);
            ADD_FAILURE() << "cannot add " << name.toStdString();
        }
    }
    if (!archive || zip_close(archive) != 0)
        ADD_FAILURE() << "cannot write " << path.toStdString();
    return readFile(path);
}

ZipMembers folderMembers(const QString &folder)
{
    ZipMembers members;
    for (const QString &name : QDir(folder).entryList(QDir::Files))
        members.emplace_back(name.toUtf8(), readFile(folder + '/' + name));
    return members;
}
