#pragma once

// The encoder setup wizard: the encoders found on this machine, one of
// which the user takes, or another program added to the list.

#include <QDialog>

class QListWidget;
class QPushButton;
namespace platform {
class Dialogs;
}

class TEncForm : public QDialog {
    Q_OBJECT

public:
    explicit TEncForm(platform::Dialogs &dialogs, QWidget *parent = nullptr);

    QListWidget *EncoderList;
    QPushButton *AddButton, *OKButton, *CancelButton;

    // Fills the list with the encoders found; OK is enabled when there are any.
    void DetectEncoders(const QString &programFolder);

signals:
    // OK with an existing program selected.
    void encoderChosen(const QString &path);
};
