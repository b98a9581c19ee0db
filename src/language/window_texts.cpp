#include "window_texts.h"

#include "platform/plain_text.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QWidget>

void applyTexts(QObject &window, const Messages &messages)
{
    const QByteArray caption = window.objectName().toLatin1();
    if (auto *widget = qobject_cast<QWidget *>(&window); widget && Messages::isKey(caption.constData()))
        widget->setWindowTitle(platform::plainWindowTitle(messages.text(caption.constData())));
    for (QObject *child : window.findChildren<QObject *>()) {
        const QByteArray key = child->objectName().toLatin1();
        if (key.isEmpty() || !Messages::isKey(key.constData()))
            continue;
        const QString text = messages.text(key.constData());
        if (auto *action = qobject_cast<QAction *>(child)) {
            action->setText(text);
        } else if (auto *button = qobject_cast<QAbstractButton *>(child)) {
            button->setText(text);
        } else if (auto *label = qobject_cast<QLabel *>(child)) {
            label->setTextFormat(Qt::PlainText);
            label->setText(text);
        } else if (auto *group = qobject_cast<QGroupBox *>(child)) {
            group->setTitle(text);
        } else if (auto *inner = qobject_cast<QWidget *>(child); inner && inner->isWindow()) {
            inner->setWindowTitle(platform::plainWindowTitle(text));
        }
    }
}
