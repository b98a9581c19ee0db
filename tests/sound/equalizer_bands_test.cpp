// The sliders' meaning: the decoder's record, the band labels, the stored
// values and the rotations.

#include "sound/equalizer_bands.h"

#include <gtest/gtest.h>

using namespace equalizer;

TEST(EqualizerBands, PositionsBecomeBandValuesTowardZeroAndLabels)
{
    for (auto [position, value] : {std::pair{127, -63}, {-127, 63}, {-1, 0}, {1, 0}, {-5, 2}})
        EXPECT_EQ(bandValue(position), value) << position;

    const SK_EqualizerInfo record = bandRecord({-127, -100, -80, -60, -40, -20, 0, 20, 40, 127});
    const int expected[32] = {63,  50,  40,  30,  20,  10,  0,   -10, -20, -20, -20, -20, -20, -20, -63, -63,
                              -63, -63, -63, -63, -63, -63, -63, -63, -63, -63, -63, -63, -63, -63, -63, -63};
    for (int band = 0; band < 32; ++band)
        EXPECT_TRUE(record.left[band] == expected[band] && record.right[band] == expected[band]) << band;

    EXPECT_EQ(bandLabel(0, -127), "60Hz : 40dB");
    EXPECT_EQ(bandLabel(4, 64), "1KHz : -20dB");
    EXPECT_EQ(bandLabel(3, -4), "600Hz : 1dB");
}

TEST(EqualizerBands, RotationsAndStoredValues)
{
    const Positions p{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    EXPECT_EQ(movedRight(p), (Positions{10, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(movedLeft(movedRight(p)), p);

    EXPECT_EQ(storedValues(p), (StoredValues{1, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 10}));
    EXPECT_EQ(fromStoredValues(storedValues(p)), p);
}
