#pragma once

#include <QString>

namespace platform {

// `folder` + `name`, spelt as the file or folder found there without regard
// to letter case (users fill these folders by hand); as given when none is.
// `folder` ends with "/".
QString pathIgnoringCase(const QString &folder, const QString &name);

}  // namespace platform
