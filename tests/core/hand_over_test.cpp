// A handed-over file name is taken once, whole and in order, whatever
// copies of its messages or strays arrive. (One running player per user is
// seen with real processes.)

#include "core/hand_over.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(HandOver, EachNameIsTakenOnceDespiteCopiesAndStraysAndSeveralGoAsLines)
{
    const QString name = QString::fromUtf8("/music/Ünïcødé ♫ song.mp3");
    HandOverBuffer buffer;
    std::vector<QString> taken;
    for (const platform::WindowMessage &m : handOverMessages(name))
        for (int copy = 0; copy < 3; ++copy)
            if (auto done = buffer.take(m.wParam, m.lParam))
                taken.push_back(*done);
    ASSERT_EQ(taken.size(), 1u);
    EXPECT_EQ(taken[0], name);

    EXPECT_FALSE(buffer.take(0, 1)) << "an end with nothing collected changes nothing";
    EXPECT_FALSE(buffer.take('x', 5)) << "a character out of place is ignored";
    EXPECT_FALSE(buffer.take(0, 2));
    buffer.take('a', 1);
    EXPECT_EQ(buffer.take(0, 2).value_or(""), "a");

    buffer.take('z', 1);
    std::optional<QString> afterStray;
    for (const platform::WindowMessage &m : handOverMessages(name))
        afterStray = buffer.take(m.wParam, m.lParam);
    EXPECT_EQ(afterStray.value_or(""), name) << "a new name starts over after a stray first character";

    // Several names go as lines; a file with a line break stays whole.
    EXPECT_EQ(handedOverNames(handOverText({"/a.mp3", "/b.mp3"})), QStringList({"/a.mp3", "/b.mp3"}));
    QTemporaryDir dir;
    const QString odd = dir.filePath("two\nlines.mp3");
    QFile(odd).open(QIODevice::WriteOnly);
    EXPECT_EQ(handedOverNames(odd), QStringList{odd});
}
