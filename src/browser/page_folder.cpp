#include "browser/page_folder.h"

#include "platform/data_folders.h"
#include "platform/text_decoding.h"
#include "platform/user_folder.h"

#include <QImageReader>
#include <QRegularExpression>

namespace browser {

namespace {

constexpr qint64 maxPageBytes = 1 << 20;
constexpr int maxPictureSide = 4000;

}  // namespace

bool isPageName(const QString &name)
{
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_-][A-Za-z0-9._-]*$"));
    return name.size() <= 255 && plain.match(name).hasMatch();
}

QString PageFolder::path(const QString &name) const
{
    return isPageName(name) ? platform::findInFolders(folders_, name) : QString();
}

std::vector<PageLine> PageFolder::page(const QString &name) const
{
    const QString file = path(name);
    const std::optional<QByteArray> bytes =
        file.isEmpty() ? std::nullopt : platform::readLimitedFile(file, maxPageBytes);
    const std::optional<QString> text = bytes ? platform::decodeTextFile(*bytes) : std::nullopt;
    return text ? parsePage(*text) : std::vector<PageLine>();
}

QImage PageFolder::picture(const QString &name) const
{
    const QString file = path(name);
    if (file.isEmpty())
        return {};
    QImageReader reader(file);
    const QSize size = reader.size();
    if (!size.isValid() || size.width() > maxPictureSide || size.height() > maxPictureSide)
        return {};
    return reader.read();
}

}  // namespace browser
