#pragma once

// The window that lists a disc's inexact matches for the user to pick one.

#include <QDialog>
#include <QStringList>

#include <optional>

class QListWidget;

class TMatchForm : public QDialog {
public:
    explicit TMatchForm(QWidget *parent = nullptr);

    // Lists the matches with the first one selected.
    void setMatches(const QStringList &matches);
    // The selected match after OK or a double click; none after Cancel.
    std::optional<int> chosen() const;
    // Both, with the window shown modally in between.
    std::optional<int> choose(const QStringList &matches);

    QListWidget *matchList() const { return matchList_; }

private:
    QListWidget *matchList_;
};
