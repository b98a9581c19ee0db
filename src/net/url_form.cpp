#include "url_form.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TURLForm::TURLForm(QWidget *parent) : QDialog(parent), edit_(new QLineEdit(this))
{
    setWindowTitle(QStringLiteral("Enter URL"));
    auto *label = new QLabel(QStringLiteral("Enter the address of a stream or file, for example\n"
                                            "http://radio.example.com:8000/stream.mp3"),
                             this);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(edit_);
    layout->addWidget(buttons);
    edit_->setMinimumWidth(360);
}

QString TURLForm::askAddress()
{
    edit_->clear();
    // Cancel, Escape and closing the window all mean: nothing to open.
    return exec() == QDialog::Accepted ? edit_->text().trimmed() : QString();
}
