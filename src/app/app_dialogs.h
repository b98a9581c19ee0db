#pragma once

// The program's real dialogs: Qt's boxes and its own address window.

#include "language/language.h"
#include "language/window_texts.h"
#include "net/url_form.h"
#include "platform/dialogs.h"

#include <QApplication>

class AppDialogs : public platform::QtDialogs {
public:
    explicit AppDialogs(QWidget *parent) : urlForm_(parent) {}
    // Not while another dialog is open (see QtDialogs).
    QString askAddress() override { return QApplication::activeModalWidget() ? QString() : urlForm_.askAddress(); }
    // The address window speaks the program's language from now on.
    void follow(const Language &language)
    {
        applyTexts(urlForm_, language.messages());
        QObject::connect(&language, &Language::changed, &urlForm_,
                         [this, &language] { applyTexts(urlForm_, language.messages()); });
    }

private:
    TURLForm urlForm_;
};
