#pragma once

// The language the program speaks: the texts of the language chosen in the
// settings, read from "language/NAME.ini" of the program folder. Windows
// take their texts from here and again on every change.

#include "messages.h"

#include <QObject>
#include <QStringList>

class Language : public QObject {
    Q_OBJECT
public:
    // The name of the built-in texts, chosen by this name in any letter case.
    static inline const QString builtinName = QStringLiteral("English");

    // `folder` ends with "/".
    explicit Language(QString folder);

    const Messages &messages() const { return messages_; }
    const QString &name() const { return name_; }

    // Whether `name` names the built-in texts.
    static bool isBuiltin(const QString &name);

    // The built-in English first, then the name of each "*.ini" file in
    // listing order, without ".ini"; a file for English is the built-in entry.
    QStringList names() const;
    // Takes the texts of `name` and tells the windows. A name that is not a
    // plain file name, or a file that is missing or unreadable, gives English.
    void choose(const QString &name);

    // The texts of `name` in `folder`, as `choose` takes them.
    static Messages read(const QString &folder, const QString &name);

signals:
    void changed();

private:
    QString folder_;
    QString name_ = builtinName;
    Messages messages_;
};
