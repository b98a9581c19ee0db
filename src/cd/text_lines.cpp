#include "text_lines.h"

#include "platform/regular_file.h"
#include "platform/text_decoding.h"

#include <QFile>

namespace cd {

namespace {

constexpr qint64 maxFileBytes = 1 << 20;

}  // namespace

QStringList textLines(const QString &text)
{
    QStringList lines = text.split('\n');
    if (lines.last().isEmpty())
        lines.removeLast();
    for (QString &line : lines)
        if (line.endsWith('\r'))
            line.chop(1);
    return lines;
}

std::optional<QStringList> readTextLines(const QString &path)
{
    QFile file(path);
    if (!platform::openRegularFile(file, QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.read(maxFileBytes + 1);
    if (file.error() != QFileDevice::NoError || bytes.size() > maxFileBytes)
        return std::nullopt;
    std::optional<QString> text = platform::decodeTextFile(bytes);
    if (!text)
        return std::nullopt;
    if (text->startsWith(QChar(0xFEFF)))
        text->remove(0, 1);
    return textLines(*text);
}

QString singleLine(QString name)
{
    for (QChar &c : name)
        if (c.category() == QChar::Other_Control)
            c = ' ';
    name.remove(QChar(0xFEFF));
    return name;
}

}  // namespace cd
