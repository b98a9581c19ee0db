#pragma once

// Every modal box the program shows goes through this interface, so that
// tests can answer them without a window ever blocking.

#include <QString>
#include <QStringList>

#include <optional>

// Only the font and colour boxes need Qt's GUI types.
class QColor;
class QFont;

namespace platform {

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // A box with one OK button, titled with the program's name or `caption`.
    virtual void error(const QString &text) = 0;
    virtual void errorWithCaption(const QString &caption, const QString &text) = 0;
    virtual void information(const QString &text) = 0;
    // The chosen file, or empty when cancelled.
    virtual QString openFileName(const QString &caption, const QString &folder, const QString &filter) = 0;
    // Several chosen files, or none when cancelled.
    virtual QStringList openFileNames(const QString &caption, const QString &folder, const QString &filter) = 0;
    // The name to save under, asking before an existing file is replaced;
    // empty when cancelled.
    virtual QString saveFileName(const QString &caption, const QString &folder, const QString &filter) = 0;
    // The chosen folder, or empty when cancelled.
    virtual QString folderName(const QString &caption, const QString &folder) = 0;
    // The address of a stream or file, or empty when cancelled.
    virtual QString askAddress() = 0;
    // A line of text typed by the user, starting from `initial`; empty when
    // cancelled.
    virtual QString askText(const QString &caption, const QString &prompt, const QString &initial) = 0;
    // The chosen font and colour, starting from `initial`; nothing when
    // cancelled.
    virtual std::optional<QFont> chooseFont(const QFont &initial) = 0;
    virtual std::optional<QColor> chooseColor(const QColor &initial) = 0;
    // The "jump to song" box over one line per playlist entry: the entry
    // chosen, or -1 when cancelled.
    virtual int chooseSong(const QStringList &songs) = 0;
};

// Qt's message boxes, titled with the application name. The address is
// asked by the program's own window (see core/app_dialogs.h).
class QtDialogs : public Dialogs {
public:
    void error(const QString &text) override;
    void errorWithCaption(const QString &caption, const QString &text) override;
    void information(const QString &text) override;
    QString openFileName(const QString &caption, const QString &folder, const QString &filter) override;
    QStringList openFileNames(const QString &caption, const QString &folder, const QString &filter) override;
    QString saveFileName(const QString &caption, const QString &folder, const QString &filter) override;
    QString folderName(const QString &caption, const QString &folder) override;
    QString askText(const QString &caption, const QString &prompt, const QString &initial) override;
    std::optional<QFont> chooseFont(const QFont &initial) override;
    std::optional<QColor> chooseColor(const QColor &initial) override;
};

}  // namespace platform
