#pragma once

// The program's real dialogs: Qt's boxes and its own address window.

#include "net/url_form.h"
#include "platform/dialogs.h"

#include <QApplication>

class AppDialogs : public platform::QtDialogs {
public:
    explicit AppDialogs(QWidget *parent) : urlForm_(parent) {}
    // Not while another dialog is open (see QtDialogs).
    QString askAddress() override { return QApplication::activeModalWidget() ? QString() : urlForm_.askAddress(); }

private:
    TURLForm urlForm_;
};
