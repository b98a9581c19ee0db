#pragma once

// Answers a real dialog the way a user does: once a window of its type is
// shown among the top-level widgets, `answer` acts on it. Dialogs open in
// nested event loops, so the answer waits on a timer of its own.

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

template <typename Box>
void answerWhenShown(std::function<void(Box &)> answer)
{
    auto *poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [poll, answer = std::move(answer)] {
        for (QWidget *window : QApplication::topLevelWidgets())
            if (auto *box = qobject_cast<Box *>(window); box && box->isVisible()) {
                poll->stop();
                poll->deleteLater();
                answer(*box);
                return;
            }
    });
    poll->start(10);
}
