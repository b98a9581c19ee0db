#include "language.h"

#include "platform/data_folders.h"
#include "platform/user_folder.h"

#include <utility>

namespace {

constexpr qint64 largestFile = 1 << 20;

}  // namespace

Language::Language(QStringList folders) : folders_(std::move(folders)) {}

bool Language::isBuiltin(const QString &name)
{
    return name.compare(builtinName, Qt::CaseInsensitive) == 0;
}

QStringList Language::names() const
{
    QList<QStringList> lists{{builtinName}};
    for (const QString &folder : folders_) {
        QStringList &names = lists.emplace_back();
        for (const QString &file : platform::fileNames(folder)) {
            if (!file.endsWith(QLatin1String(".ini"), Qt::CaseInsensitive) || !platform::isPlainName(file))
                continue;
            const QString name = file.chopped(4);
            if (!name.isEmpty() && !isBuiltin(name))
                names << name;
        }
    }
    return platform::mergedNames(lists);
}

void Language::choose(const QString &name)
{
    name_ = name;
    messages_ = read(folders_, name);
    emit changed();
}

Messages Language::read(const QStringList &folders, const QString &name)
{
    if (isBuiltin(name) || !platform::isPlainName(name) || folders.isEmpty())
        return {};
    const auto bytes =
        platform::readLimitedFile(platform::findInFolders(folders, name + QStringLiteral(".ini")), largestFile);
    return bytes ? Messages::parse(*bytes) : Messages();
}
