#pragma once

// A style sheet that gives ordinary dialog widgets the built-in texture's
// graphite metal and ice-blue LCD look, and its colours for links.

#include <QColor>
#include <QString>

QString graphiteFormStyle();
// Links on the graphite look's dark panels: ice blue, lighter while held.
QColor graphiteLinkColour();
QColor graphiteLinkPressedColour();
