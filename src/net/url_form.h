#pragma once

// Asks for the address of a stream or file to play or add.

#include <QDialog>

class QLineEdit;

class TURLForm : public QDialog {
public:
    explicit TURLForm(QWidget *parent = nullptr);

    // Shows the window modally with an empty field; the address typed, or
    // empty after Cancel.
    QString askAddress();
    QLineEdit *edit() const { return edit_; }

private:
    QLineEdit *edit_;
};
