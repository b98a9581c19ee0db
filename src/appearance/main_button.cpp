#include "appearance/main_button.h"

#include <array>

std::span<const MainButton> allMainButtons()
{
    static constexpr std::array buttons{
        MainButton::Play,     MainButton::Stop,  MainButton::Pause,    MainButton::Load,   MainButton::Playlist,
        MainButton::Minimize, MainButton::Info,  MainButton::Previous, MainButton::Rewind, MainButton::Forward,
        MainButton::Next,     MainButton::Exit,  MainButton::Mode,     MainButton::Menu,   MainButton::Equalizer,
        MainButton::Cd,       MainButton::Audio, MainButton::Prefs,    MainButton::Repeat, MainButton::Shuffle,
    };
    return buttons;
}

QRect mainButtonRect(const MainLayout &layout, MainButton button)
{
    switch (button) {
    case MainButton::Play:
        return layout.play;
    case MainButton::Stop:
        return layout.stop;
    case MainButton::Pause:
        return layout.pause;
    case MainButton::Load:
        return layout.load;
    case MainButton::Playlist:
        return layout.playlist;
    case MainButton::Minimize:
        return layout.minimize;
    case MainButton::Info:
        return layout.info;
    case MainButton::Previous:
        return layout.previous;
    case MainButton::Rewind:
        return layout.rewind;
    case MainButton::Forward:
        return layout.forward;
    case MainButton::Next:
        return layout.next;
    case MainButton::Exit:
        return layout.exit;
    case MainButton::Mode:
        return layout.mode;
    case MainButton::Menu:
        return layout.menu;
    case MainButton::Equalizer:
        return layout.equalizer;
    case MainButton::Cd:
        return layout.cd;
    case MainButton::Audio:
        return layout.audio;
    case MainButton::Prefs:
        return layout.prefs;
    case MainButton::Repeat:
        return layout.repeat;
    case MainButton::Shuffle:
        return layout.shuffle;
    case MainButton::None:
        break;
    }
    return {};
}

QRect coolBarButtonRect(const CoolBarLayout &layout, MainButton button)
{
    switch (button) {
    case MainButton::Play:
        return layout.play;
    case MainButton::Stop:
        return layout.stop;
    case MainButton::Pause:
        return layout.pause;
    case MainButton::Load:
        return layout.load;
    case MainButton::Playlist:
        return layout.playlist;
    case MainButton::Minimize:
        return layout.minimize;
    case MainButton::Info:
        return layout.info;
    case MainButton::Previous:
        return layout.previous;
    case MainButton::Rewind:
        return layout.rewind;
    case MainButton::Forward:
        return layout.forward;
    case MainButton::Next:
        return layout.next;
    case MainButton::Exit:
        return layout.exit;
    case MainButton::Mode:
        return layout.mode;
    case MainButton::Menu:
        return layout.menu;
    default:
        return {};
    }
}

MainButton mainButtonAt(const MainLayout &layout, QPoint point)
{
    for (MainButton button : allMainButtons()) {
        if (mainButtonRect(layout, button).contains(point))
            return button;
    }
    return MainButton::None;
}

bool highlightsOnHover(MainButton button)
{
    return button != MainButton::None && button != MainButton::Repeat && button != MainButton::Shuffle;
}
