#pragma once

// A style sheet that gives ordinary dialog widgets the built-in texture's
// graphite metal and ice-blue LCD look.

#include <QString>

QString graphiteFormStyle();
