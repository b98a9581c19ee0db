#pragma once

// The music browser: its window (made when first shown), the help pages
// every window opens in it, and the update of its pages, whose results it
// tells through the dialogs.

#include "appearance/texture_manager.h"
#include "browser/browser_form.h"
#include "browser/update_form.h"
#include "language/messages.h"
#include "platform/dialogs.h"

#include <QObject>

#include <memory>

class BrowserController : public QObject {
    Q_OBJECT

public:
    // `folders` (each ending with "/") hold the pages, updates go to the
    // first; `updateAddress` is the update server's folder, empty when there
    // is none.
    BrowserController(const TextureManager &textures, platform::Dialogs &dialogs, const QStringList &folders,
                      QString updateAddress);

    TBrowserForm &form();
    // The window if it was made, else null.
    TBrowserForm *existingForm() const { return form_.get(); }
    TUpdateForm &updateForm() { return updateForm_; }

    void OpenHelpPage(const QString &name) { form().OpenHelpPage(name); }
    // Shows the current page, or hides the window.
    void toggle();
    void DownloadUpdates();
    void applyTexts(const Messages &texts);

signals:
    void visibilityChanged(bool shown);
    // The window was just made.
    void formMade();

private:
    platform::Dialogs &dialogs_;
    QStringList folders_;
    QString updateAddress_;
    Messages texts_;
    const TextureManager &textures_;
    std::unique_ptr<TBrowserForm> form_;
    TUpdateForm updateForm_;
};
