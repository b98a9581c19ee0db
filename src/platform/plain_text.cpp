#include "plain_text.h"

#include <QTextDocument>

namespace platform {

QString plainToolTip(const QString &text)
{
    // Pre keeps blanks and line breaks as the plain text shows them.
    return Qt::mightBeRichText(text) ? Qt::convertFromPlainText(text, Qt::WhiteSpacePre) : text;
}

QString plainMenuText(const QString &text)
{
    return QString(text).replace(QLatin1Char('&'), QLatin1String("&&"));
}

QString plainWindowTitle(const QString &text)
{
    return QString(text).replace(QLatin1String("[*]"), QLatin1String("[*][*]"));
}

}  // namespace platform
