#pragma once

// Answers every box at once and remembers what was shown.

#include "platform/dialogs.h"

#include <QStringList>

class RecordingDialogs : public platform::Dialogs {
public:
    void error(const QString &text) override { errors << text; }
    void information(const QString &text) override { informations << text; }
    QString openFileName(const QString &, const QString &folder, const QString &filter) override
    {
        openedIn << folder;
        filters << filter;
        return nextOpenFile;
    }
    QString askAddress() override { return nextAddress; }

    QStringList errors;
    QStringList informations;
    QStringList openedIn, filters;
    QString nextOpenFile;  // the answer of the next open dialog
    QString nextAddress;
};
