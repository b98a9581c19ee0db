#include "window_size_feature.h"

#include "app/main_form.h"
#include "app/main_menu.h"
#include "appearance/texture_manager.h"
#include "core/remote_control.h"
#include "shell/window_docking.h"

#include <QAction>
#include <QShortcut>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr std::array<int, 4> Sizes{100, 150, 200, 300};

}  // namespace

WindowSizeFeature::WindowSizeFeature(AppContext &app, shell::WindowDocking &docking) : Feature(app), docking_(docking)
{
    QAction *doubleSize = app.menu.doubleSizeAction();
    QObject::connect(doubleSize, &QAction::triggered, this, &WindowSizeFeature::toggleDoubleSize);
    // The menu's shortcut works only while the menu is open.
    QObject::connect(new QShortcut(doubleSize->shortcut(), &app.mainForm), &QShortcut::activated, this,
                     &WindowSizeFeature::toggleDoubleSize);
    for (QAction *size : app.menu.sizeMenu()->actions())
        QObject::connect(size, &QAction::triggered, this, [this, size] { setSize(size->data().toInt()); });
}

void WindowSizeFeature::restore()
{
    // Qt already shows every window at the screen's device pixel ratio; the
    // size is the user's own on top of it. The windows come back where they
    // were left, at this size.
    app.textures.setWindowScale(app.settings.windowSize / 100.0);
    showChecks();
}

void WindowSizeFeature::store()
{
    app.settings.windowSize = size();
}

void WindowSizeFeature::bindCommands(RemoteControl &remote)
{
    remote.bind("double-size", [this](int) { toggleDoubleSize(); });
}

int WindowSizeFeature::size() const
{
    return static_cast<int>(std::lround(app.textures.windowScale() * 100));
}

void WindowSizeFeature::setSize(int percent)
{
    if (std::find(Sizes.begin(), Sizes.end(), percent) == Sizes.end())
        percent = 100;
    docking_.resizeKeepingDocked([&] { app.textures.setWindowScale(percent / 100.0); });
    showChecks();
}

void WindowSizeFeature::toggleDoubleSize()
{
    setSize(size() == 200 ? 100 : 200);
}

void WindowSizeFeature::showChecks()
{
    app.menu.doubleSizeAction()->setChecked(size() == 200);
    for (QAction *size : app.menu.sizeMenu()->actions())
        size->setChecked(size->data().toInt() == this->size());
}
