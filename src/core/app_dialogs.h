#pragma once

// The program's real dialogs: Qt's boxes and its own address window.

#include "net/url_form.h"
#include "platform/dialogs.h"

class AppDialogs : public platform::QtDialogs {
public:
    explicit AppDialogs(QWidget *parent) : urlForm_(parent) {}
    QString askAddress() override { return urlForm_.askAddress(); }

private:
    TURLForm urlForm_;
};
