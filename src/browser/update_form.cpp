#include "browser/update_form.h"

#include "language/window_texts.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

TUpdateForm::TUpdateForm(QWidget *parent)
    : QDialog(parent), bar_(new QProgressBar(this)), cancel_(new QPushButton(QStringLiteral("Cancel"), this))
{
    setWindowTitle(QStringLiteral("Progress"));
    // Named by their keys in the program's message table, which may translate them.
    setObjectName(QStringLiteral("Browser_Caption"));
    cancel_->setObjectName(QStringLiteral("Browser_Cancel"));
    setModal(true);
    auto *column = new QVBoxLayout(this);
    column->addWidget(named(new QLabel(QStringLiteral("Updating Browser Files..."), this), "Browser_Info"));
    bar_->setRange(0, 100);
    column->addWidget(bar_);
    column->addWidget(cancel_, 0, Qt::AlignHCenter);
    connect(cancel_, &QPushButton::clicked, this, [this] { Cancel(); });
    setFixedSize(sizeHint().expandedTo(QSize(300, 0)));
}

void TUpdateForm::start()
{
    cancelled_ = false;
    bar_->setValue(0);
    show();
}

void TUpdateForm::setProgress(int percent)
{
    bar_->setValue(percent);
}

void TUpdateForm::Cancel()
{
    cancelled_ = true;
    HttpClient.Abort();
    hide();
}
