#include "language.h"

#include "platform/program_folder.h"
#include "platform/user_folder.h"

#include <utility>

namespace {

constexpr qint64 largestFile = 1 << 20;

}  // namespace

Language::Language(QString folder) : folder_(std::move(folder)) {}

bool Language::isBuiltin(const QString &name)
{
    return name.compare(builtinName, Qt::CaseInsensitive) == 0;
}

QStringList Language::names() const
{
    QStringList names{builtinName};
    for (const QString &file : platform::fileNames(folder_)) {
        if (!file.endsWith(QLatin1String(".ini"), Qt::CaseInsensitive) || !platform::isPlainName(file))
            continue;
        const QString name = file.chopped(4);
        if (!name.isEmpty() && !isBuiltin(name))
            names << name;
    }
    return names;
}

void Language::choose(const QString &name)
{
    name_ = name;
    messages_ = read(folder_, name);
    emit changed();
}

Messages Language::read(const QString &folder, const QString &name)
{
    if (isBuiltin(name) || !platform::isPlainName(name) || folder.isEmpty())
        return {};
    const auto bytes =
        platform::readLimitedFile(platform::pathIgnoringCase(folder, name + QStringLiteral(".ini")), largestFile);
    return bytes ? Messages::parse(*bytes) : Messages();
}
