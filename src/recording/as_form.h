#pragma once

// The recorder setup window: MP3 or WAV, quality, downmix and bit rate, the
// input line and the destination. Its Start runs the recording of the
// lines the recorder window handed over, with the progress window showing
// how far it got; the window closes when the run is over.

#include "cd/disc_source.h"
#include "encoder/encoder_kind.h"
#include "recording/cd_rip.h"
#include "recording/mixer_lines.h"

#include <QDialog>

#include <functional>
#include <memory>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class TProgressForm;

class TASForm : public QDialog {
    Q_OBJECT

public:
    // `recDest` and `recInput` are the settings the window keeps up to date;
    // `encoderChoice` tells the encoder chosen in the preferences at Start.
    TASForm(platform::Dialogs &dialogs, std::function<encoder::EncoderSetup()> encoderChoice, QString &recDest,
            int &recInput, QWidget *parent = nullptr);

    QRadioButton *RadioCompress, *RadioWave;
    QCheckBox *CheckHighest, *CheckDownmix;
    QComboBox *Bitrates, *InputSource;
    QSlider *VolumeScroll;
    QLineEdit *Destination;
    QPushButton *ButtonBrowse, *ButtonEnc, *ButtonStart, *ButtonCancel, *ButtonHelp;
    TProgressForm *Progress;

    // What Start records: lines "N. name" of the disc in `source`, which
    // `device` plays for a real input line.
    void setRecording(const QStringList &lines, const cd::DiscSource &source, const cd::TableOfContents &toc,
                      cd::CdDevice &device);
    void ButtonStartClick();
    void applyTexts(const Messages &texts);
    recording::CdRip &run() { return run_; }

signals:
    void encoderSetupRequested();
    void helpRequested();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void compressionClicked();
    void refreshVolume();

    platform::Dialogs &dialogs_;
    std::function<encoder::EncoderSetup()> encoderChoice_;
    QString &recDest_;
    int &recInput_;
    QStringList lines_;
    cd::DiscSource source_;
    cd::TableOfContents toc_;
    cd::CdDevice *device_ = nullptr;
    recording::CdRip run_;
    std::unique_ptr<recording::MixerWatch> mixerWatch_;  // while the window has been shown
};
