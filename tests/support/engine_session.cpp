#include "engine_session.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <gtest/gtest.h>

double Event::seconds() const
{
    const auto &t = message.data.timecode;
    return t.hours * 3600.0 + t.minutes * 60.0 + t.seconds + t.fractions / 100.0;
}

EngineSession::EngineSession() : window_([this](const platform::WindowMessage &m) { receive(m); })
{
    const SK_WindowHandle handle = window_.handle();
    EXPECT_EQ(player_new(&player_, &handle), SK_SUCCESS);
    EXPECT_NE(waitForEvent(SK_NOTIFY_READY), nullptr);
}

EngineSession::~EngineSession()
{
    player_delete(player_);
}

void EngineSession::receive(const platform::WindowMessage &m)
{
    Event e;
    if (control_win32_params_to_message(player_, &e.message, m.msg, m.wParam, m.lParam) != SK_SUCCESS)
        return;
    for (int i = 0; i < 2; ++i)
        if (e.message.text[i])
            e.texts[i] = e.message.text[i];
    if (e.message.equalizer)
        e.equalizer = *e.message.equalizer;
    events_.push_back(std::move(e));
}

// Sleeps in the event loop until the condition holds or the deadline
// arrives. A heartbeat makes sure the condition is looked at again even when
// a wake-up for messages from the engine's thread goes astray.
bool EngineSession::waitFor(const std::function<bool()> &done, std::chrono::milliseconds limit)
{
    QEventLoop loop;
    QTimer heartbeat;
    QObject::connect(&heartbeat, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    QTimer::singleShot(limit, &loop, &QEventLoop::quit);
    heartbeat.start(10);
    if (!done())
        loop.exec();
    return done();
}

const Event *EngineSession::find(int code, std::size_t since, std::optional<int> state) const
{
    for (std::size_t i = since; i < events_.size(); ++i)
        if (events_[i].code() == code && (!state || events_[i].state() == *state))
            return &events_[i];
    return nullptr;
}

const Event *EngineSession::waitForEvent(int code, std::size_t since, std::optional<int> state,
                                         std::chrono::milliseconds limit)
{
    waitFor([&] { return find(code, since, state) != nullptr; }, limit);
    return find(code, since, state);
}

std::vector<int> EngineSession::codesSince(std::size_t since) const
{
    std::vector<int> codes;
    for (std::size_t i = since; i < events_.size(); ++i)
        codes.push_back(events_[i].code());
    return codes;
}

bool EngineSession::playToEnd(const std::string &name, std::chrono::milliseconds limit)
{
    const std::size_t since = mark();
    open(name);
    send(SK_PLAY);
    return waitForEvent(SK_NOTIFY_PLAYER_STATE, since, SK_STATE_EOF, limit) != nullptr;
}

std::string fixture(const std::string &name)
{
    return std::string(LUDRO_FIXTURE_DIR) + "/" + name;
}
