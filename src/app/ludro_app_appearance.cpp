// The main window's look: its texture and its mode, from the buttons and the
// menu.

#include "ludro_app.h"

void LudroApp::connectAppearance()
{
    QObject::connect(&form_, &TMainForm::modeClicked, [this] { form_.ToggleMode(); });
    QAction *coolBar = menu_.coolBarAction();
    QObject::connect(coolBar, &QAction::triggered, [this] { form_.ToggleMode(); });
    QObject::connect(&form_, &TMainForm::modeChanged, coolBar,
                     [coolBar](bool normal) { coolBar->setChecked(!normal); });
    coolBar->setChecked(!form_.normalMode());
}

void LudroApp::chooseTexture(const QString &name)
{
    QString error;
    if (!textures_.apply(name, &error)) {
        dialogs_.error(error);
        return;
    }
    settings_.texture = name;
}
