#include "url_form.h"

#include "language/window_texts.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TURLForm::TURLForm(QWidget *parent) : QDialog(parent), edit_(new QLineEdit(this))
{
    setObjectName(QStringLiteral("URL_Caption"));
    auto *label = new QLabel(this);
    label->setObjectName(QStringLiteral("URL_Message"));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("URL_OK"));
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("URL_Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(edit_);
    layout->addWidget(buttons);
    edit_->setMinimumWidth(360);
    applyTexts(*this, Messages());
}

QString TURLForm::askAddress()
{
    edit_->clear();
    // Cancel, Escape and closing the window all mean: nothing to open.
    return exec() == QDialog::Accepted ? edit_->text().trimmed() : QString();
}
