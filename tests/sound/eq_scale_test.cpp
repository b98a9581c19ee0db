// The equalizer window at the chosen window size: every skin pixel a crisp
// square at whole sizes, and the sliders where the pictures show them.

#include "sound/eq_form.h"
#include "support/recording_dialogs.h"

#include <QTest>

#include <gtest/gtest.h>

TEST(EqualizerSize, TwiceTheSizeIsTheSameWindowWithSquarePixelsAndItsSlidersAnswerThere)
{
    RecordingDialogs dialogs;
    TextureManager textures;
    TEQForm form(textures, {}, dialogs);
    form.show();
    const QImage single = form.grab().toImage();

    textures.setWindowScale(2);
    EXPECT_EQ(form.size(), QSize(872, 252));
    const QRect body(0, 0, TEQForm::BodyWidth, 116);
    const QImage twice = form.grab().toImage().copy(QRect(body.topLeft() * 2, body.size() * 2));
    EXPECT_EQ(twice.convertToFormat(QImage::Format_RGB32),
              single.copy(body).scaled(body.size() * 2).convertToFormat(QImage::Format_RGB32));

    TBMPScrollBar &preamp = form.trackbar(0);
    EXPECT_EQ(preamp.geometry(), QRect(156, 76, 24, 126));
    QTest::mouseClick(&preamp, Qt::LeftButton, {}, QPoint(12, 4));
    EXPECT_NE(preamp.Position(), 0) << "a click on the track at 2x moves the thumb";
    textures.setWindowScale(1);
    EXPECT_EQ(form.size(), QSize(436, 126));
}
