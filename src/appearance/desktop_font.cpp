#include "desktop_font.h"

#include <QFontDatabase>

QString listFace(const QString &face)
{
    if (face.isEmpty() || face.compare(QLatin1String("MS Sans Serif"), Qt::CaseInsensitive) == 0)
        return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    return face;
}
