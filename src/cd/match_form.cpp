#include "match_form.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

TMatchForm::TMatchForm(QWidget *parent) : QDialog(parent), matchList_(new QListWidget(this))
{
    setWindowTitle(QStringLiteral("Found Inexact matches"));
    matchList_->setObjectName(QStringLiteral("matchList"));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(matchList_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(matchList_);
    layout->addWidget(buttons);
    resize(420, 220);
}

void TMatchForm::setMatches(const QStringList &matches)
{
    matchList_->clear();
    matchList_->addItems(matches);
    matchList_->setCurrentRow(0);
}

std::optional<int> TMatchForm::chosen() const
{
    const int row = matchList_->currentRow();
    if (result() != QDialog::Accepted || row < 0)
        return std::nullopt;
    return row;
}

std::optional<int> TMatchForm::choose(const QStringList &matches)
{
    setMatches(matches);
    exec();
    return chosen();
}
