#pragma once

// Drives one engine player the way the program does and records every
// notification, with its texts copied at once.

#include "platform/window_messages.h"
#include "sonark.h"

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

struct Event {
    SK_Message message{};
    std::string texts[2];
    std::optional<SK_EqualizerInfo> equalizer;

    int code() const { return message.code; }
    int state() const { return message.data.bytes[0]; }
    double seconds() const;  // of a time code
};

class EngineSession {
public:
    EngineSession();
    ~EngineSession();
    EngineSession(const EngineSession &) = delete;
    EngineSession &operator=(const EngineSession &) = delete;

    SK_Player player() const { return player_; }
    const std::vector<Event> &events() const { return events_; }
    std::size_t mark() const { return events_.size(); }

    // Runs the event loop until the predicate holds or the time is up.
    bool waitFor(const std::function<bool()> &done, std::chrono::milliseconds limit = std::chrono::seconds(20));
    // The first event with that code (and state, for code 69) at or after `since`.
    const Event *find(int code, std::size_t since = 0, std::optional<int> state = {}) const;
    const Event *waitForEvent(int code, std::size_t since = 0, std::optional<int> state = {},
                              std::chrono::milliseconds limit = std::chrono::seconds(20));
    std::vector<int> codesSince(std::size_t since) const;

    void send(int code) { control_message_send_N(player_, code); }
    void open(const std::string &name) { control_message_send_S(player_, SK_INPUT_OPEN, name.c_str()); }
    void setOutput(const std::string &name) { control_message_send_S(player_, SK_SET_OUTPUT_NAME, name.c_str()); }
    // Opens, plays and waits for the end of input; false on a time-out or refusal.
    bool playToEnd(const std::string &name, std::chrono::milliseconds limit = std::chrono::seconds(60));

private:
    void receive(const platform::WindowMessage &message);

    platform::MessageWindow window_;
    SK_Player player_ = 0;
    std::vector<Event> events_;
};

std::string fixture(const std::string &name);
