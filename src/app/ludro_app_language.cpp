// The windows' texts in the language of the settings, again on every change.

#include "ludro_app.h"

#include "language/window_texts.h"

void LudroApp::chooseLanguage(const QString &name)
{
    language_.choose(name);
    settings_.language = name;
}

void LudroApp::applyTexts()
{
    const Messages &messages = language_.messages();
    ::applyTexts(menu_, messages);
    ::applyTexts(pitchForm_, messages);
    ::applyTexts(tagForm_, messages);
    convForm_.applyTexts(messages);
    recForm_.applyTexts(messages);
    asForm_.applyTexts(messages);
    browser_.applyTexts(messages);
    ::applyTexts(encForm_, messages);
    form_.applyTexts(messages);
    plForm_.applyTexts(messages);
    eqForm_.applyTexts(messages);
    cddbForm_.applyTexts(messages);
    controller_.applyTexts(messages);
    volume_.setWords(messages);
    prefsForm_.applyTexts(messages);
    shell_.setToolTips({messages["Hint_Previous"], messages["Hint_Play"], messages["Hint_Stop"], messages["Hint_Load"],
                        messages["Hint_Next"]});
}
