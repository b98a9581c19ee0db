#pragma once

// The browser's folders of pages and pictures (downloaded ones before the
// installed ones). Only plain names of files directly inside them are read,
// so neither a page nor a list from the web reaches anything else.

#include "browser/page_layout.h"

#include <QImage>
#include <QString>

namespace browser {

// Letters, digits, ".", "_" and "-", not starting with ".".
bool isPageName(const QString &name);

class PageFolder {
public:
    // Each folder ends with "/".
    explicit PageFolder(QStringList folders) : folders_(std::move(folders)) {}

    // The page's lines; none when it is missing, too large or no text.
    std::vector<PageLine> page(const QString &name) const;
    // A null image when it is missing or no picture of a sensible size.
    QImage picture(const QString &name) const;
    // The picture every page is drawn on.
    QImage background() const { return picture(QStringLiteral("BackGround.bmp")); }

private:
    QString path(const QString &name) const;

    QStringList folders_;
};

}  // namespace browser
