#include "sound/pitch_form.h"

#include "language/window_texts.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

TPitchForm::TPitchForm(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::WindowCloseButtonHint), pitchBar_(new QSlider(Qt::Horizontal, this))
{
    setObjectName(QStringLiteral("Pitch_Caption"));
    pitchBar_->setRange(1, 2000);
    pitchBar_->setValue(NormalPitch);
    pitchBar_->setTickInterval(100);
    pitchBar_->setTickPosition(QSlider::TicksBelow);
    pitchBar_->setPageStep(100);
    pitchBar_->setMinimumWidth(260);
    QObject::connect(pitchBar_, &QSlider::valueChanged, [this](int value) {
        if (OnPitchChange)
            OnPitchChange(value);
    });

    auto *reset = new QPushButton(this);
    reset->setObjectName(QStringLiteral("Pitch_Reset"));
    QObject::connect(reset, &QPushButton::clicked, [this] { ResetClick(); });

    auto *grid = new QGridLayout(this);
    grid->addWidget(pitchBar_, 0, 0, 1, 3);
    grid->addWidget(named(new QLabel(this), "Pitch_Slow"), 1, 0, Qt::AlignLeft);
    grid->addWidget(named(new QLabel(this), "Pitch_Normal"), 1, 1, Qt::AlignHCenter);
    grid->addWidget(named(new QLabel(this), "Pitch_Fast"), 1, 2, Qt::AlignRight);
    grid->addWidget(reset, 2, 1, Qt::AlignHCenter);
    applyTexts(*this, Messages());
    setFixedSize(sizeHint());
}

// Normal speed, sent on the next tick even when the slider already sits there.
void TPitchForm::ResetClick()
{
    pitchBar_->setValue(NormalPitch);
    if (OnPitchChange)
        OnPitchChange(NormalPitch);
}
