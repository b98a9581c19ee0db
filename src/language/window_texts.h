#pragma once

// A window's texts follow the language: the window, and every action,
// button, label and group box in it, whose object name is a key of the
// message table shows that key's text (the window as its title), as plain
// text.

#include "messages.h"

#include <QString>

class QObject;

void applyTexts(QObject &window, const Messages &messages);

// `object`, named after `key` so that applyTexts gives it its text.
template <typename Object>
Object *named(Object *object, const char *key)
{
    object->setObjectName(QString::fromLatin1(key));
    return object;
}
