#pragma once

// The "jump to song" box: the playlist's songs, narrowed as the user types
// to those whose line holds the typed text anywhere (letter case ignored);
// Enter or a double click chooses the song highlighted.

#include "language/messages.h"

#include <QDialog>
#include <QLineEdit>
#include <QListWidget>

class JumpBox : public QDialog {
public:
    // One line per playlist entry, in the list's order.
    explicit JumpBox(const QStringList &songs, QWidget *parent = nullptr);

    // The entry chosen, or -1 when the box was cancelled or nothing matched.
    int chosenEntry() const { return chosen_; }
    QLineEdit &filterEdit() { return filter_; }
    QListWidget &songList() { return list_; }

    // The lines of the playlist's entries as the box shows and searches them.
    static QStringList linesOf(const class PlaylistModel &playlist);

private:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void narrow(const QString &text);
    void choose();

    QLineEdit filter_;
    QListWidget list_;
    int chosen_ = -1;
};
