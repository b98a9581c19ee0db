#include "encoder/progress_form.h"

#include <QFormLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

TProgressForm::TProgressForm(QWidget *parent)
    : QDialog(parent),
      LineText(new QLabel(this)),
      ActionText(new QLabel(this)),
      DeviceLabel(new QLabel(this)),
      QualityLabel(new QLabel(QStringLiteral("44.1 Khz, 16 bit, Stereo"), this)),
      SongBar(new QProgressBar(this)),
      TotalBar(new QProgressBar(this)),
      EncoderBar(new QProgressBar(this)),
      CancelButton(new QPushButton(QStringLiteral("Cancel"), this))
{
    setWindowTitle(QStringLiteral("Progress"));
    auto *bars = new QFormLayout;
    bars->addRow(QStringLiteral("Song Progress"), SongBar);
    bars->addRow(QStringLiteral("Total Progress"), TotalBar);
    bars->addRow(QStringLiteral("Encoder Progress"), EncoderBar);
    auto *layout = new QVBoxLayout(this);
    for (QLabel *label : {LineText, ActionText, DeviceLabel, QualityLabel})
        layout->addWidget(label);
    layout->addLayout(bars);
    layout->addWidget(CancelButton, 0, Qt::AlignRight);
    connect(CancelButton, &QPushButton::clicked, this, &TProgressForm::cancelRequested);
    setMinimumWidth(420);
}

void TProgressForm::reset(bool showDevice)
{
    LineText->clear();
    ActionText->clear();
    DeviceLabel->setVisible(showDevice);
    QualityLabel->setVisible(showDevice);
    for (QProgressBar *bar : {SongBar, TotalBar, EncoderBar})
        bar->setValue(0);
}

void TProgressForm::reject()
{
    emit cancelRequested();
}
