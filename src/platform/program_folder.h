#pragma once

#include <QString>

namespace platform {

// The folder the program's data files live in, with a trailing "/":
// LUDRO_HOME when set, else the executable's folder.
QString programFolder();

}  // namespace platform
