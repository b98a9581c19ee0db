#pragma once

// The progress window of the converter and the CD recorder: the current
// line and action, the device and quality labels, three bars and Cancel.
// Closing the window asks for cancellation like the button does.

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

class TProgressForm : public QDialog {
    Q_OBJECT

public:
    explicit TProgressForm(QWidget *parent = nullptr);

    QLabel *LineText, *ActionText, *DeviceLabel, *QualityLabel;
    QProgressBar *SongBar, *TotalBar, *EncoderBar;
    QPushButton *CancelButton;

    // Clears the texts and bars; the device and quality labels shown or not.
    void reset(bool showDevice);

signals:
    void cancelRequested();

protected:
    void reject() override;
};
