#include "appearance/main_button.h"

#include <array>
#include <utility>

namespace {

template <typename Layout>
using Place = std::pair<MainButton, QRect Layout::*>;

// Each button's rectangle in normal mode, in hit-test order.
constexpr std::array<Place<MainLayout>, 22> mainPlaces{{
    {MainButton::Play, &MainLayout::play},           {MainButton::Stop, &MainLayout::stop},
    {MainButton::Pause, &MainLayout::pause},         {MainButton::Load, &MainLayout::load},
    {MainButton::Playlist, &MainLayout::playlist},   {MainButton::Minimize, &MainLayout::minimize},
    {MainButton::Info, &MainLayout::info},           {MainButton::Previous, &MainLayout::previous},
    {MainButton::Rewind, &MainLayout::rewind},       {MainButton::Forward, &MainLayout::forward},
    {MainButton::Next, &MainLayout::next},           {MainButton::Exit, &MainLayout::exit},
    {MainButton::Mode, &MainLayout::mode},           {MainButton::Menu, &MainLayout::menu},
    {MainButton::Equalizer, &MainLayout::equalizer}, {MainButton::Cd, &MainLayout::cd},
    {MainButton::Audio, &MainLayout::audio},         {MainButton::Prefs, &MainLayout::prefs},
    {MainButton::Repeat, &MainLayout::repeat},       {MainButton::Shuffle, &MainLayout::shuffle},
    {MainButton::Browser, &MainLayout::browser},     {MainButton::Options, &MainLayout::options},
}};

// The Cool Bar has no toggles and no equalizer, CD, audio or preferences buttons.
constexpr std::array<Place<CoolBarLayout>, 14> coolBarPlaces{{
    {MainButton::Play, &CoolBarLayout::play},
    {MainButton::Stop, &CoolBarLayout::stop},
    {MainButton::Pause, &CoolBarLayout::pause},
    {MainButton::Load, &CoolBarLayout::load},
    {MainButton::Playlist, &CoolBarLayout::playlist},
    {MainButton::Minimize, &CoolBarLayout::minimize},
    {MainButton::Info, &CoolBarLayout::info},
    {MainButton::Previous, &CoolBarLayout::previous},
    {MainButton::Rewind, &CoolBarLayout::rewind},
    {MainButton::Forward, &CoolBarLayout::forward},
    {MainButton::Next, &CoolBarLayout::next},
    {MainButton::Exit, &CoolBarLayout::exit},
    {MainButton::Mode, &CoolBarLayout::mode},
    {MainButton::Menu, &CoolBarLayout::menu},
}};

template <typename Layout, std::size_t N>
QRect rectOf(const std::array<Place<Layout>, N> &places, const Layout &layout, MainButton button)
{
    for (const auto &[placed, rect] : places) {
        if (placed == button)
            return layout.*rect;
    }
    return {};
}

template <typename Layout, std::size_t N>
MainButton buttonAt(const std::array<Place<Layout>, N> &places, const Layout &layout, QPoint point)
{
    for (const auto &[button, rect] : places) {
        if ((layout.*rect).contains(point))
            return button;
    }
    return MainButton::None;
}

}  // namespace

std::span<const MainButton> allMainButtons()
{
    static const std::array<MainButton, mainPlaces.size()> buttons = [] {
        std::array<MainButton, mainPlaces.size()> all{};
        for (std::size_t i = 0; i < all.size(); ++i)
            all[i] = mainPlaces[i].first;
        return all;
    }();
    return buttons;
}

QRect mainButtonRect(const MainLayout &layout, MainButton button)
{
    return rectOf(mainPlaces, layout, button);
}

QRect coolBarButtonRect(const CoolBarLayout &layout, MainButton button)
{
    return rectOf(coolBarPlaces, layout, button);
}

MainButton mainButtonAt(const MainLayout &layout, QPoint point)
{
    return buttonAt(mainPlaces, layout, point);
}

MainButton coolBarButtonAt(const CoolBarLayout &layout, QPoint point)
{
    return buttonAt(coolBarPlaces, layout, point);
}

bool highlightsOnHover(MainButton button)
{
    return button != MainButton::None && button != MainButton::Repeat && button != MainButton::Shuffle;
}
