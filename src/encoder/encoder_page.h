#pragma once

// The encoder page of the preferences: the encoder's path and its switch
// fields, presets for the known kinds, Explore and the wizard. Every edit
// is reported at once, so the settings follow the fields.

#include "encoder/encoder_kind.h"

#include <QWidget>

class QComboBox;
class QLineEdit;
class QPushButton;
class TEncForm;
namespace platform {
class Dialogs;
}

class EncoderPage : public QWidget {
    Q_OBJECT

public:
    EncoderPage(platform::Dialogs &dialogs, TEncForm &wizard, const QString &programFolder, QWidget *parent = nullptr);

    QLineEdit *encodername, *encgeneral, *inpfile, *outfile, *bitsettings, *hqsettings, *downmixsettings;
    QComboBox *encodersettings;
    QPushButton *ExploreButton, *WizardButton;

    void setSetup(const encoder::EncoderSetup &setup);
    encoder::EncoderSetup setup() const;
    // The chosen program with its kind's switches (see chooseEncoder).
    void ChooseEncoder(const QString &path);

signals:
    void setupChanged(const encoder::EncoderSetup &setup);

private:
    void setSwitches(const encoder::EncoderSwitches &switches);
};
