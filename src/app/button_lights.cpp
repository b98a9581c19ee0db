#include "button_lights.h"

ButtonLights::ButtonLights(TMainForm &form, std::function<void()> introOver)
    : form_(form), introOver_(std::move(introOver)),
      superTimer1_(std::chrono::milliseconds(75), [this] { SuperTimer1Timer(); })
{
}

void ButtonLights::startIntro()
{
    introStep_ = 0;
    superTimer1_.setEnabled(true);
}

void ButtonLights::flash(MainButton button)
{
    if (pressedButton_ != MainButton::None)
        form_.lightButton(pressedButton_, false);
    pressedButton_ = button;
    pressFrame_ = 0;
    superTimer1_.setEnabled(true);
}

// A clicked button flashes for one frame of the timer.
void ButtonLights::animatePress()
{
    if (pressedButton_ == MainButton::None)
        return;
    if (pressFrame_ == 0) {
        form_.lightButton(pressedButton_, true);
        ++pressFrame_;
        return;
    }
    form_.lightButton(pressedButton_, false);
    pressedButton_ = MainButton::None;
    pressFrame_ = 0;
    if (introStep_ >= 15)
        superTimer1_.setEnabled(false);
}

// Steps 0 to 4 light the buttons one after another; odd steps from 5 put
// them out in the same order.
void ButtonLights::SuperTimer1Timer()
{
    animatePress();
    static constexpr MainButton lights[] = {MainButton::Cd, MainButton::Mode, MainButton::Equalizer,
                                            MainButton::Audio, MainButton::Info};
    if (introStep_ >= 15)
        return;
    if (introStep_ <= 4)
        form_.lightButton(lights[introStep_], true);
    else if (introStep_ % 2 == 1)
        form_.lightButton(lights[(introStep_ - 5) / 2], false);
    if (++introStep_ == 15) {
        ++introStep_;
        if (pressedButton_ == MainButton::None)
            superTimer1_.setEnabled(false);
        introOver_();
    }
}
