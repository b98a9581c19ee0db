#include "text_lines.h"

namespace cd {

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

QString singleLine(QString name)
{
    for (QChar &c : name)
        if (c.category() == QChar::Other_Control)
            c = ' ';
    name.remove(QChar(0xFEFF));
    return name;
}

}  // namespace cd
