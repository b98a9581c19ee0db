#pragma once

// The language the program speaks: the texts of the language chosen in the
// settings, read from "NAME.ini" of the first language folder that holds it
// (the user's before the installed one). Windows take their texts from here
// and again on every change.

#include "messages.h"

#include <QObject>
#include <QStringList>

class Language : public QObject {
    Q_OBJECT
public:
    // The name of the built-in texts, chosen by this name in any letter case.
    static inline const QString builtinName = QStringLiteral("English");

    // Each folder ends with "/".
    explicit Language(QStringList folders);

    const Messages &messages() const { return messages_; }
    const QString &name() const { return name_; }

    // Whether `name` names the built-in texts.
    static bool isBuiltin(const QString &name);

    // The built-in English first, then the name of each "*.ini" file of the
    // folders in listing order, without ".ini", each name once; a file for
    // English is the built-in entry.
    QStringList names() const;
    // Takes the texts of `name` and tells the windows. A name that is not a
    // plain file name, or a file that is missing or unreadable, gives English.
    void choose(const QString &name);

    // The texts of `name` in `folders`, as `choose` takes them.
    static Messages read(const QStringList &folders, const QString &name);

signals:
    void changed();

private:
    QStringList folders_;
    QString name_ = builtinName;
    Messages messages_;
};
