#include "sound/equalizer_bands.h"

#include <algorithm>

namespace equalizer {

int bandValue(int position)
{
    return -position / 2;
}

SK_EqualizerInfo bandRecord(const Positions &positions)
{
    SK_EqualizerInfo record{};
    for (int band = 0; band < 32; ++band) {
        const int slider = band < 8 ? band : band < 14 ? 8 : 9;
        record.left[band] = static_cast<int8_t>(bandValue(positions[slider]));
        record.right[band] = record.left[band];
    }
    return record;
}

QString bandLabel(int slider, int position)
{
    const int f = Frequencies[slider];
    return QString::number(f) + (f < 20 ? "K" : "") + "Hz : " + QString::number(position * -40 / 127) + "dB";
}

Positions movedRight(const Positions &positions)
{
    Positions moved = positions;
    std::rotate(moved.rbegin(), moved.rbegin() + 1, moved.rend());
    return moved;
}

Positions movedLeft(const Positions &positions)
{
    Positions moved = positions;
    std::rotate(moved.begin(), moved.begin() + 1, moved.end());
    return moved;
}

StoredValues storedValues(const Positions &p)
{
    return {p[0], p[0], p[1], p[2], p[3], p[4], p[5], p[6], p[7], p[8], p[9], p[9]};
}

Positions fromStoredValues(const StoredValues &v)
{
    return {v[0], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9], v[10]};
}

}  // namespace equalizer
