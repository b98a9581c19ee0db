#include "browser/browser_controller.h"

#include "browser/page_update.h"
#include "language/window_texts.h"

BrowserController::BrowserController(const TextureManager &textures, platform::Dialogs &dialogs,
                                     const QStringList &folders, QString updateAddress)
    : dialogs_(dialogs), folders_(folders), updateAddress_(std::move(updateAddress)), textures_(textures)
{
}

TBrowserForm &BrowserController::form()
{
    if (!form_) {
        form_ = std::make_unique<TBrowserForm>(textures_, browser::PageFolder(folders_));
        connect(form_.get(), &TBrowserForm::visibilityChanged, this, &BrowserController::visibilityChanged);
        connect(form_.get(), &TBrowserForm::updatesRequested, this, &BrowserController::DownloadUpdates);
        emit formMade();
    }
    return *form_;
}

void BrowserController::toggle()
{
    if (form_ && form_->isVisible())
        form_->close();
    else
        form().show();
}

void BrowserController::DownloadUpdates()
{
    if (updateAddress_.isEmpty()) {
        dialogs_.errorWithCaption(texts_["Browser_Update"],
                                  QStringLiteral("There is no update server for the browser's pages."));
        return;
    }
    updateForm_.start();
    browser::PageUpdate update(updateForm_.HttpClient, folders_, updateAddress_);
    update.OnProgress = [this](int percent) { updateForm_.setProgress(percent); };
    update.Cancelled = [this] { return updateForm_.cancelled(); };
    const browser::UpdateResult result = update.run();
    updateForm_.hide();
    switch (result) {
    case browser::UpdateResult::Updated:
        dialogs_.information(texts_["Browser_Text2"]);
        if (form_)
            form_->reload();
        break;
    case browser::UpdateResult::UpToDate:
        dialogs_.information(texts_["Browser_Text1"]);
        break;
    case browser::UpdateResult::Failed:
        dialogs_.errorWithCaption(texts_["Browser_Update"], texts_["Browser_Text3"]);
        break;
    case browser::UpdateResult::Cancelled:
        break;
    }
}

void BrowserController::applyTexts(const Messages &texts)
{
    texts_ = texts;
    ::applyTexts(updateForm_, texts);
}
