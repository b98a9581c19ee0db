#pragma once

// The volume and balance the engine plays at: 0 ... 100 each, balance 50 in
// the centre. The knobs, the remote commands and the settings set them here;
// the main window, the hints and later the tray and the preferences follow
// the signals.

#include "decoder/sonark_player.h"
#include "language/messages.h"

#include <QObject>

class VolumeControl : public QObject {
    Q_OBJECT

public:
    // The settings' values reach the engine at once, so the knobs and the
    // sound agree from the start.
    VolumeControl(TSonarkPlayer &player, int volume, int balance, QObject *parent = nullptr);

    int volume() const { return volume_; }
    int balance() const { return balance_; }

    void setVolume(int volume);
    void setBalance(int balance);
    // Five steps up or down, as long as they stay within 0 ... 100.
    void volumeUp();
    void volumeDown();
    // A knob held at `offset` pixels of its `width` pixel track.
    void dragVolume(int offset, int width);
    void dragBalance(int offset, int width);
    // The wheel: five a notch, shown as a drag shows it.
    void turnVolume(int notches);
    void turnBalance(int notches);
    // The read-outs' words.
    void setWords(const Messages &words) { words_ = words; }

signals:
    void volumeChanged(int volume);
    void balanceChanged(int balance);
    // "Volume 45%", "Balance 30% Left": shown in the title while a knob is held.
    void readOut(const QString &text);

private:
    TSonarkPlayer &player_;
    int volume_;
    int balance_;
    Messages words_;
};
