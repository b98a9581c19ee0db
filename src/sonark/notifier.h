#pragma once

// Builds notifications and posts them to the player's notification window.
// Each posted message carries only a sequence number; the record itself,
// with the texts it points to, waits here until the receiver converts it.

#include "sonark.h"

#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <string>

namespace sonark {

struct Notification {
    SK_Message message{};
    std::string texts[2];
    int textCount = 0;
    SK_EqualizerInfo equalizer{};
    bool hasEqualizer = false;

    explicit Notification(int code) { message.code = code; }
    Notification &text(std::string value);
};

class Notifier {
public:
    Notifier(SK_Player player, SK_WindowHandle window);

    void post(Notification notification);  // any thread
    int32_t convert(SK_Message *out, uint32_t msg, uintptr_t wParam, intptr_t lParam);

    // A notification whose only field is a number at byte 4.
    void value(int code, int32_t value);
    void ack(int command);
    void nack(int command, int code);
    void error(int source, int code, const std::string &text);
    void progress(int source, int code, int value, std::string text);
    void playerState(int state);
    void timecode(double seconds);

private:
    struct Packet {
        uint64_t sequence;
        Notification notification;
    };
    // Bounds memory when a receiver stops converting; the oldest go first.
    static constexpr std::size_t maxPending = 65536;

    SK_Player player_;
    SK_WindowHandle window_;
    std::mutex mutex_;
    std::deque<Packet> pending_;
    std::optional<Notification> converted_;  // owns the texts of the last converted record
    uint64_t nextSequence_ = 1;
};

}  // namespace sonark
