#pragma once

// The converter window: a list of WAV and MPEG audio files, the destination
// folder and the encoder options; Start converts the list while the progress
// window shows how far it got. Songs dragged from the playlist window (or
// files from elsewhere) join the list.

#include "encoder/conversion.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class TProgressForm;

class TConvForm : public QDialog {
    Q_OBJECT

public:
    // `encoderChoice` tells the encoder chosen in the preferences at Start.
    TConvForm(platform::Dialogs &dialogs, std::function<encoder::EncoderSetup()> encoderChoice, QWidget *parent = nullptr);

    QListWidget *ConvList;
    QLineEdit *DestDir;
    QComboBox *BitrateCombo;
    QCheckBox *HQCheck, *MonoCheck;
    QPushButton *AddButton, *RemoveButton, *ClearButton, *ExploreButton, *StartButton, *CancelButton, *HelpButton;
    TProgressForm *Progress;

    void addFiles(const QStringList &paths);
    void applyTexts(const Messages &texts);
    void StartClick();
    encoder::Conversion &conversion() { return conversion_; }

signals:
    void helpRequested();

protected:
    void showEvent(QShowEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    platform::Dialogs &dialogs_;
    std::function<encoder::EncoderSetup()> encoderChoice_;
    encoder::Conversion conversion_;
};
