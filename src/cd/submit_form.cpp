#include "submit_form.h"

#include "cddb_form.h"

#include "platform/dialogs.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace cd {

TSubmitForm::TSubmitForm(TCDDBForm &cddb, platform::Dialogs &dialogs, QWidget *parent)
    : QDialog(parent), cddb_(cddb), dialogs_(dialogs), CategoryBox(new QComboBox(this)), SubmitBox(new QComboBox(this)),
      SubmitButton(new QPushButton(QStringLiteral("Submit"), this)), Picture(new QLabel(this))
{
    setWindowTitle(QStringLiteral("Submit"));
    CategoryBox->setObjectName(QStringLiteral("CategoryBox"));
    CategoryBox->addItems(
        {"Blues", "Classical", "Country", "Data", "Folk", "Jazz", "Misc", "Newage", "Reggae", "Rock", "Soundtrack"});
    SubmitBox->setObjectName(QStringLiteral("SubmitBox"));
    SubmitBox->addItems({"Test", "Submit"});
    SubmitButton->setObjectName(QStringLiteral("SubmitButton"));
    SubmitButton->setDefault(true);
    Picture->setObjectName(QStringLiteral("Picture"));
    Picture->setText(QStringLiteral("<a href=\"https://gnudb.org/\">gnudb.org</a>"));
    Picture->setOpenExternalLinks(true);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    buttons->addButton(SubmitButton, QDialogButtonBox::ActionRole);
    connect(SubmitButton, &QPushButton::clicked, this, &TSubmitForm::SubmitClick);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *fields = new QFormLayout;
    fields->addRow(QStringLiteral("Category:"), CategoryBox);
    fields->addRow(QStringLiteral("Mode:"), SubmitBox);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Picture);
    layout->addLayout(fields);
    layout->addWidget(buttons);
}

int TSubmitForm::WriteToCDDB(const DiscId &disc, const DiscNames &names, const QRect &mainWindowFrame)
{
    setDisc(disc, names, mainWindowFrame);
    exec();
    return revision_;
}

void TSubmitForm::setDisc(const DiscId &disc, const DiscNames &names, const QRect &mainWindowFrame)
{
    disc_ = disc;
    names_ = names;
    mainWindowFrame_ = mainWindowFrame;
    revision_ = names.revision;
}

void TSubmitForm::showEvent(QShowEvent *event)
{
    CategoryBox->setCurrentIndex(0);
    SubmitBox->setCurrentIndex(0);
    QDialog::showEvent(event);
}

void TSubmitForm::SubmitClick()
{
    if (names_.tracks.isEmpty())
        return;
    // Names of another disc, or a names file with more lines than the disc
    // has tracks, would describe tracks the disc does not have.
    if (names_.tracks.size() != static_cast<qsizetype>(disc_.offsets.size())) {
        dialogs_.errorWithCaption(QStringLiteral("Submit"),
                                  QStringLiteral("The track list has %1 names for the %2 tracks of the disc; "
                                                 "nothing was sent.")
                                      .arg(names_.tracks.size())
                                      .arg(disc_.offsets.size()));
        return;
    }
    SubmitButton->setEnabled(false);
    const bool accepted = cddb_.SubmitDisc(disc_, names_, revision_ + 1, CategoryBox->currentText().toLower(),
                                           SubmitBox->currentIndex() == 0, mainWindowFrame_);
    SubmitButton->setEnabled(true);
    if (accepted) {
        ++revision_;
        accept();
    }
}

}  // namespace cd
