#include "encoder/enc_form.h"

#include "encoder/encoder_detection.h"
#include "platform/dialogs.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

TEncForm::TEncForm(platform::Dialogs &dialogs, QWidget *parent)
    : QDialog(parent),
      EncoderList(new QListWidget(this)),
      AddButton(new QPushButton(QStringLiteral("Add to List..."), this)),
      OKButton(new QPushButton(QStringLiteral("OK"), this)),
      CancelButton(new QPushButton(QStringLiteral("Cancel"), this))
{
    setWindowTitle(QStringLiteral("Encoder Setup Wizard"));
    // Named by their keys in the program's message table, which may translate them.
    setObjectName(QStringLiteral("Wizard_Caption"));
    AddButton->setObjectName(QStringLiteral("Wizard_Add"));
    OKButton->setObjectName(QStringLiteral("Wizard_OK"));
    CancelButton->setObjectName(QStringLiteral("Wizard_Cancel"));
    auto *info = new QLabel(QStringLiteral("To be able to compress Music to MP3 format you will need an encoder. If "
                                           "there are available encoders on your computer, they will be shown in the "
                                           "list below. Please select one from the list."),
        this);
    info->setObjectName(QStringLiteral("Wizard_Info"));
    info->setWordWrap(true);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(AddButton);
    buttons->addStretch();
    buttons->addWidget(OKButton);
    buttons->addWidget(CancelButton);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(info);
    auto *available = new QLabel(QStringLiteral("Available Encoders"), this);
    available->setObjectName(QStringLiteral("Wizard_Available"));
    layout->addWidget(available);
    layout->addWidget(EncoderList);
    layout->addLayout(buttons);

    connect(OKButton, &QPushButton::clicked, this, [this] {
        const QListWidgetItem *item = EncoderList->currentItem();
        if (item && QFileInfo(item->text()).isFile())
            emit encoderChosen(item->text());
        accept();
    });
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(AddButton, &QPushButton::clicked, this, [this, &dialogs] {
        const QString path = dialogs.openFileName(QStringLiteral("Select Executable"), {}, QStringLiteral("Executable Files (*)"));
        if (path.isEmpty())
            return;
        EncoderList->addItem(path);
        EncoderList->setCurrentRow(EncoderList->count() - 1);
        OKButton->setEnabled(true);
    });
}

void TEncForm::DetectEncoders(const QString &programFolder)
{
    EncoderList->clear();
    EncoderList->addItems(encoder::detectEncoders(programFolder));
    if (EncoderList->count() > 0)
        EncoderList->setCurrentRow(0);
    OKButton->setEnabled(EncoderList->count() > 0);
}
