#pragma once

// Answers every box at once and remembers what was shown.

#include "platform/dialogs.h"

#include <QStringList>

class RecordingDialogs : public platform::Dialogs {
public:
    void error(const QString &text) override { errors << text; }
    void information(const QString &text) override { informations << text; }

    QStringList errors;
    QStringList informations;
};
