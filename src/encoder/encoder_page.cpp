#include "encoder/encoder_page.h"

#include "encoder/enc_form.h"
#include "platform/dialogs.h"

#include <QComboBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace encoder;

namespace {

// Named by its key in the program's message table, which may translate it.
QLabel *caption(const QString &text, const char *key)
{
    auto *label = new QLabel(text);
    label->setObjectName(QString::fromLatin1(key));
    return label;
}

}  // namespace

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
    ExploreButton->setObjectName(QStringLiteral("Prefs_Page7_Explore"));
    WizardButton->setObjectName(QStringLiteral("Prefs_Page7_Wizard"));
    encodername->setReadOnly(true);
    encodersettings->addItems(encoderKindNames());
    encodersettings->setCurrentIndex(-1);
    auto *path = new QHBoxLayout;
    path->addWidget(encodername);
    path->addWidget(ExploreButton);
    path->addWidget(WizardButton);
    auto *group = new QGroupBox(QStringLiteral("Encoder Settings"), this);
    group->setObjectName(QStringLiteral("Prefs_Page7_Settings"));
    auto *column = new QVBoxLayout(this);
    column->addWidget(group);
    column->addStretch();
    auto *form = new QFormLayout(group);
    form->addRow(caption(QStringLiteral("Searchpath to encoder (mp3 compressor)"), "Prefs_Page7_Encoder"), path);
    form->addRow(caption(QStringLiteral("Standard settings for some encoders"), "Prefs_Page7_Standard"), encodersettings);
    form->addRow(caption(QStringLiteral("General Command Line"), "Prefs_Page7_General"), encgeneral);
    form->addRow(caption(QStringLiteral("Input file"), "Prefs_Page7_Input"), inpfile);
    form->addRow(caption(QStringLiteral("Output file "), "Prefs_Page7_Output"), outfile);
    form->addRow(caption(QStringLiteral("Bitrate"), "Prefs_Page7_Bitrate"), bitsettings);
    form->addRow(caption(QStringLiteral("High Quality"), "Prefs_Page7_HQ"), hqsettings);
    form->addRow(caption(QStringLiteral("Downmix"), "Prefs_Page7_Downmix"), downmixsettings);

    for (QLineEdit *field : {encodername, encgeneral, inpfile, outfile, bitsettings, hqsettings, downmixsettings})
        connect(field, &QLineEdit::textChanged, this, [this] { emit setupChanged(setup()); });
    connect(encodersettings, &QComboBox::activated, this,
        [this](int index) { setSwitches(switchesOf(static_cast<EncoderKind>(index))); });
    connect(ExploreButton, &QPushButton::clicked, this, [this, &dialogs] {
        const QString path =
            dialogs.openFileName(QStringLiteral("Select Executable"), {}, QStringLiteral("Executable Files (*)"));
        // "Executable Files": only a file with the executable bit is a program.
        if (QFileInfo(path).isFile() && QFileInfo(path).isExecutable())
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
