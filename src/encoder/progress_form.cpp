#include "encoder/progress_form.h"

#include <QFormLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <tuple>

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
    // Named by their keys in the program's message table, which may translate them.
    setObjectName(QStringLiteral("Progress_Caption"));
    CancelButton->setObjectName(QStringLiteral("Progress_Cancel"));
    auto *bars = new QFormLayout;
    const std::tuple<const char *, const char *, QProgressBar *> rows[] = {
        {"Song Progress", "Progress_Current", SongBar}, {"Total Progress", "Progress_Total", TotalBar},
        {"Encoder Progress", "Progress_Encoder", EncoderBar}};
    for (const auto &[text, key, bar] : rows) {
        auto *caption = new QLabel(QString::fromLatin1(text), this);
        caption->setObjectName(QString::fromLatin1(key));
        bars->addRow(caption, bar);
    }
    auto *layout = new QVBoxLayout(this);
    // File and track names, device names and translated texts.
    for (QLabel *label : {LineText, ActionText, DeviceLabel, QualityLabel}) {
        label->setTextFormat(Qt::PlainText);
        layout->addWidget(label);
    }
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
