#pragma once

// Asks for the address of a stream or file to play or add.

#include <QDialog>

class QLineEdit;

class TURLForm : public QDialog {
public:
    explicit TURLForm(QWidget *parent = nullptr);

    // Shows the window modally with an empty field; the address typed, or
    // empty when the window was left any other way than OK.
    QString askAddress();
    QLineEdit *edit() const { return edit_; }

private:
    QLineEdit *edit_;
};
