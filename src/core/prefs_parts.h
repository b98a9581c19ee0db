#pragma once

// The preferences window's controls are named by their keys in the message
// table, which gives them their texts.

#include <QString>

template <typename Widget>
Widget *named(Widget *widget, const char *key)
{
    widget->setObjectName(QString::fromLatin1(key));
    return widget;
}
