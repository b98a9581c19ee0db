#pragma once

// The local files of a drag and drop, in the order they were dropped.

#include <QMimeData>
#include <QStringList>
#include <QUrl>

inline QStringList droppedLocalFiles(const QMimeData &data)
{
    QStringList names;
    for (const QUrl &url : data.urls())
        if (url.isLocalFile())
            names << url.toLocalFile();
    return names;
}
