#pragma once

// Every window of every feature made, as if each had been opened once, so a
// test can look at all of them.

#include "app/ludro_app.h"

inline void makeEveryWindow(LudroApp &app)
{
    for (Feature *feature : app.features())
        for (FeatureWindow *window : feature->windows())
            window->widget();
}
