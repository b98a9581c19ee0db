#pragma once

// The program's real dialogs: Qt's boxes and its own address window, made
// the first time an address is asked for.

#include "app/jump_box.h"
#include "language/language.h"
#include "language/window_texts.h"
#include "net/url_form.h"
#include "platform/dialogs.h"

#include <memory>

class AppDialogs : public platform::QtDialogs {
public:
    QString askAddress() override
    {
        if (!urlForm_) {
            urlForm_ = std::make_unique<TURLForm>();
            if (language_)
                applyTexts(*urlForm_, language_->messages());
        }
        return urlForm_->askAddress();
    }
    int chooseSong(const QStringList &songs) override
    {
        JumpBox box(songs);
        if (language_)
            applyTexts(box, language_->messages());
        else
            applyTexts(box, Messages());
        box.exec();
        return box.chosenEntry();
    }
    // The address window speaks the program's language from now on.
    void follow(const Language &language)
    {
        language_ = &language;
        QObject::connect(&language, &Language::changed, &language, [this] {
            if (urlForm_)
                applyTexts(*urlForm_, language_->messages());
        });
    }
    TURLForm *addressWindow() const { return urlForm_.get(); }

private:
    const Language *language_ = nullptr;
    std::unique_ptr<TURLForm> urlForm_;
};
