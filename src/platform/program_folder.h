#pragma once

#include <QString>

namespace platform {

// The folder the program's data files live in, with a trailing "/":
// LUDRO_HOME when set, else the executable's folder.
QString programFolder();

// `folder` + `name`, spelt as the file or folder found there without regard
// to letter case (users fill these folders by hand); as given when none is.
// `folder` ends with "/".
QString pathIgnoringCase(const QString &folder, const QString &name);

}  // namespace platform
