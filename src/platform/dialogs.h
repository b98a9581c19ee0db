#pragma once

// Every modal box the program shows goes through this interface, so that
// tests can answer them without a window ever blocking.

#include <QString>

namespace platform {

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // A box with one OK button.
    virtual void error(const QString &text) = 0;
    virtual void information(const QString &text) = 0;
    // The chosen file, or empty when cancelled.
    virtual QString openFileName(const QString &caption, const QString &folder, const QString &filter) = 0;
    // The address of a stream or file, or empty when cancelled.
    virtual QString askAddress() = 0;
};

// Qt's message boxes, titled with the application name. The address is
// asked by the program's own window (see core/app_dialogs.h).
class QtDialogs : public Dialogs {
public:
    void error(const QString &text) override;
    void information(const QString &text) override;
    QString openFileName(const QString &caption, const QString &folder, const QString &filter) override;
};

}  // namespace platform
