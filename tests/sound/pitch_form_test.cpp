// The pitch window: its range and texts, and Reset's request.

#include "sound/pitch_form.h"

#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

TEST(PitchWindow, SliderLabelsAndReset)
{
    TPitchForm form;
    EXPECT_EQ(form.windowTitle(), "Pitch Control");
    EXPECT_EQ(form.PitchBar().minimum(), 1);
    EXPECT_EQ(form.PitchBar().maximum(), 2000);
    EXPECT_EQ(form.PitchBar().value(), 1000);
    EXPECT_EQ(form.PitchBar().tickInterval(), 100);
    QStringList texts;
    for (QLabel *label : form.findChildren<QLabel *>())
        texts << label->text();
    EXPECT_EQ(texts, (QStringList{"Slow", "Normal", "Fast"}));

    std::vector<int> requests;
    form.OnPitchChange = [&](int value) { requests.push_back(value); };
    form.PitchBar().setValue(1500);
    form.findChild<QPushButton *>()->click();
    EXPECT_EQ(requests, (std::vector<int>{1500, 1000, 1000}));
    EXPECT_EQ(form.PitchBar().value(), 1000);
}
