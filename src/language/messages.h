#pragma once

// The program's visible texts by key ("Pop_Exit", "Hint_Play" ...): the
// built-in English, or a language file's translation of each. A translation
// is plain text: shown as it is, never used as a format.

#include <QByteArray>
#include <QString>

#include <vector>

class Messages {
public:
    // The built-in English.
    Messages();
    // Section "Ludro" of a language file over the English: a key the file
    // lacks keeps its English text, so an older or partial file never
    // blanks a menu.
    static Messages parse(const QByteArray &bytes);

    // The text of a built-in key; empty for a key that is not one.
    QString text(const char *key) const;
    QString operator[](const char *key) const { return text(key); }
    static bool isKey(const char *key);

    bool operator==(const Messages &other) const = default;

private:
    std::vector<QString> texts_;
};
