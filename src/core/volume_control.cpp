#include "volume_control.h"

#include "core/volume_balance.h"

#include <algorithm>

namespace {

constexpr uint8_t unchanged = 255;

}  // namespace

VolumeControl::VolumeControl(TSonarkPlayer &player, int volume, int balance, QObject *parent)
    : QObject(parent), player_(player), volume_(std::clamp(volume, 0, 100)), balance_(std::clamp(balance, 0, 100))
{
    player_.SetOutputVolume(static_cast<uint8_t>(balance_), static_cast<uint8_t>(volume_), unchanged);
}

void VolumeControl::setVolume(int volume)
{
    volume_ = std::clamp(volume, 0, 100);
    player_.SetOutputVolume(unchanged, static_cast<uint8_t>(volume_), unchanged);
    emit volumeChanged(volume_);
}

void VolumeControl::setBalance(int balance)
{
    balance_ = std::clamp(balance, 0, 100);
    player_.SetOutputVolume(static_cast<uint8_t>(balance_), static_cast<uint8_t>(volume_), unchanged);
    emit balanceChanged(balance_);
}

void VolumeControl::volumeUp()
{
    if (volume_ < 96)
        setVolume(volume_ + 5);
}

void VolumeControl::volumeDown()
{
    if (volume_ > 4)
        setVolume(volume_ - 5);
}

void VolumeControl::dragVolume(int offset, int width)
{
    setVolume(volumeFromKnob(offset, width));
    emit readOut(volumeText(volume_, words_));
}

void VolumeControl::dragBalance(int offset, int width)
{
    setBalance(balanceFromKnob(offset, width) + 50);
    emit readOut(balanceText(balance_, words_));
}

void VolumeControl::turnVolume(int notches)
{
    setVolume(volume_ + 5 * notches);
    emit readOut(volumeText(volume_, words_));
}

void VolumeControl::turnBalance(int notches)
{
    setBalance(balance_ + 5 * notches);
    emit readOut(balanceText(balance_, words_));
}
