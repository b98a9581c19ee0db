#pragma once

// The main window's buttons and which one lies under a point.

#include "appearance/texture_layout.h"

#include <QPoint>
#include <QRect>

#include <span>

// Numbered as the hover highlight counts them; repeat and shuffle are
// toggles that show their own state instead of a hover highlight. The
// browser button and the options strip exist only in the Winamp layout.
enum class MainButton {
    None = 0,
    Play,
    Stop,
    Pause,
    Load,
    Playlist,
    Minimize,
    Info,
    Previous,
    Rewind,
    Forward,
    Next,
    Exit,
    Mode,
    Menu,
    Equalizer,
    Cd,
    Audio,
    Prefs,
    Repeat,
    Shuffle,
    Browser,
    Options,
};

// Every button, in hit-test order.
std::span<const MainButton> allMainButtons();

QRect mainButtonRect(const MainLayout &layout, MainButton button);
// Empty for the buttons the Cool Bar does not have.
QRect coolBarButtonRect(const CoolBarLayout &layout, MainButton button);

// The first button whose rectangle holds the point, or None.
MainButton mainButtonAt(const MainLayout &layout, QPoint point);
MainButton coolBarButtonAt(const CoolBarLayout &layout, QPoint point);

bool highlightsOnHover(MainButton button);
