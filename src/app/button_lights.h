#pragma once

// The main window's lights on the 75 ms timer: the start-up show of the
// built-in look (the CD, mode, equalizer, audio and information buttons
// light one after another, then go out), and a short flash for each button
// clicked.

#include "appearance/main_button.h"
#include "app/main_form.h"
#include "platform/super_timer.h"

#include <functional>

class ButtonLights {
public:
    ButtonLights(TMainForm &form, std::function<void()> introOver);

    void startIntro();
    void flash(MainButton button);
    void stop() { superTimer1_.setEnabled(false); }

private:
    void SuperTimer1Timer();
    void animatePress();

    TMainForm &form_;
    std::function<void()> introOver_;
    platform::TSuperTimer superTimer1_;
    int introStep_ = 20;  // below 15 while the show runs
    MainButton pressedButton_ = MainButton::None;
    int pressFrame_ = 0;
};
