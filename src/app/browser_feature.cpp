#include "browser_feature.h"

#include "app/main_form.h"
#include "app/main_menu.h"
#include "browser/page_update.h"
#include "core/remote_control.h"
#include "platform/data_folders.h"

#include <QAction>

BrowserFeature::BrowserFeature(AppContext &app)
    : Feature(app),
      browser_(app.textures, app.dialogs, app.folders.search(QStringLiteral("Browser")), browser::updateAddress()),
      window_({QStringLiteral("manual.html"), true,
               {&Settings::browserX, &Settings::browserY, &Settings::browserW, &Settings::browserH},
               &Settings::brVis},
              [this] { return &browser_.form(); })
{
    QObject::connect(&browser_, &BrowserController::formMade, &browser_, [this] { window_.widget(); });
    QAction *item = app.menu.browserAction();
    item->setEnabled(true);
    item->setCheckable(true);
    QObject::connect(item, &QAction::triggered, &browser_, &BrowserController::toggle);
    QObject::connect(&app.mainForm, &TMainForm::browserClicked, &browser_, &BrowserController::toggle);
    QObject::connect(&browser_, &BrowserController::visibilityChanged, item, &QAction::setChecked);
}

void BrowserFeature::applyTexts(const Messages &messages)
{
    browser_.applyTexts(messages);
}

void BrowserFeature::bindCommands(RemoteControl &remote)
{
    remote.bind("browser", [this](int) { browser_.toggle(); });
}
