#include "encoder/encoder_page.h"

#include "encoder/enc_form.h"
#include "platform/dialogs.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

using namespace encoder;

EncoderPage::EncoderPage(platform::Dialogs &dialogs, TEncForm &wizard, const QString &programFolder, QWidget *parent)
    : QWidget(parent),
      encodername(new QLineEdit(this)),
      encgeneral(new QLineEdit(this)),
      inpfile(new QLineEdit(this)),
      outfile(new QLineEdit(this)),
      bitsettings(new QLineEdit(this)),
      hqsettings(new QLineEdit(this)),
      downmixsettings(new QLineEdit(this)),
      encodersettings(new QComboBox(this)),
      ExploreButton(new QPushButton(QStringLiteral("Explore"), this)),
      WizardButton(new QPushButton(QStringLiteral("Use Wizard >>"), this))
{
    encodername->setReadOnly(true);
    encodersettings->addItems(encoderKindNames());
    encodersettings->setCurrentIndex(-1);
    auto *path = new QHBoxLayout;
    path->addWidget(encodername);
    path->addWidget(ExploreButton);
    path->addWidget(WizardButton);
    auto *form = new QFormLayout(this);
    form->addRow(QStringLiteral("Searchpath to encoder (mp3 compressor)"), path);
    form->addRow(QStringLiteral("Standard settings for some encoders"), encodersettings);
    form->addRow(QStringLiteral("General Command Line"), encgeneral);
    form->addRow(QStringLiteral("Input file"), inpfile);
    form->addRow(QStringLiteral("Output file "), outfile);
    form->addRow(QStringLiteral("Bitrate"), bitsettings);
    form->addRow(QStringLiteral("High Quality"), hqsettings);
    form->addRow(QStringLiteral("Downmix"), downmixsettings);

    for (QLineEdit *field : {encodername, encgeneral, inpfile, outfile, bitsettings, hqsettings, downmixsettings})
        connect(field, &QLineEdit::textChanged, this, [this] { emit setupChanged(setup()); });
    connect(encodersettings, &QComboBox::activated, this,
        [this](int index) { setSwitches(switchesOf(static_cast<EncoderKind>(index))); });
    connect(ExploreButton, &QPushButton::clicked, this, [this, &dialogs] {
        const QString path =
            dialogs.openFileName(QStringLiteral("Select Executable"), {}, QStringLiteral("Executable Files (*)"));
        if (!path.isEmpty())
            ChooseEncoder(path);
    });
    connect(WizardButton, &QPushButton::clicked, this, [&wizard, programFolder] {
        wizard.DetectEncoders(programFolder);
        wizard.open();
    });
    connect(&wizard, &TEncForm::encoderChosen, this, &EncoderPage::ChooseEncoder);
}

void EncoderPage::setSetup(const EncoderSetup &setup)
{
    encodername->setText(setup.program);
    setSwitches(setup.switches);
}

EncoderSetup EncoderPage::setup() const
{
    return {encodername->text(), {encgeneral->text(), inpfile->text(), outfile->text(), bitsettings->text(),
                                     hqsettings->text(), downmixsettings->text()}};
}

void EncoderPage::ChooseEncoder(const QString &path)
{
    setSetup(chooseEncoder(setup(), path));
}

void EncoderPage::setSwitches(const EncoderSwitches &switches)
{
    encgeneral->setText(switches.general);
    inpfile->setText(switches.input);
    outfile->setText(switches.output);
    bitsettings->setText(switches.bitRate);
    hqsettings->setText(switches.highQuality);
    downmixsettings->setText(switches.downmix);
}
