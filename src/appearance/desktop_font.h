#pragma once

// The face a list is drawn in: the desktop's own where none is chosen, or
// where the choice is "MS Sans Serif", the default of older settings and
// textures, which Linux desktops do not have.

#include <QString>

QString listFace(const QString &face);
