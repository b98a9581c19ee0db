#include "notifier.h"

#include "platform/window_messages.h"

#include <cmath>

namespace sonark {

Notification &Notification::text(std::string value)
{
    texts[textCount++] = std::move(value);
    return *this;
}

Notifier::Notifier(SK_Player player, SK_WindowHandle window) : player_(player), window_(window) {}

void Notifier::post(Notification notification)
{
    std::lock_guard lock(mutex_);
    const uint64_t sequence = nextSequence_++;
    if (pending_.size() >= maxPending)
        pending_.pop_front();
    pending_.push_back({sequence, std::move(notification)});
    if (!platform::postMessage(window_, SK_NOTIFICATION_MESSAGE, sequence, player_))
        pending_.pop_back();
}

int32_t Notifier::convert(SK_Message *out, uint32_t msg, uintptr_t wParam, intptr_t lParam)
{
    *out = SK_Message{};
    out->code = -1;
    if (msg != SK_NOTIFICATION_MESSAGE || static_cast<SK_Player>(lParam) != player_)
        return SK_ERROR_INVALID_ARGUMENT;
    std::lock_guard lock(mutex_);
    while (!pending_.empty() && pending_.front().sequence < wParam)
        pending_.pop_front();
    if (pending_.empty() || pending_.front().sequence != wParam)
        return SK_ERROR_INVALID_ARGUMENT;
    converted_ = std::move(pending_.front().notification);
    pending_.pop_front();

    Notification &n = *converted_;
    *out = n.message;
    for (int i = 0; i < n.textCount; ++i)
        out->text[i] = n.texts[i].c_str();
    if (n.hasEqualizer)
        out->equalizer = &n.equalizer;
    return SK_SUCCESS;
}

void Notifier::value(int code, int32_t value)
{
    Notification n(code);
    n.message.data.value = value;
    post(std::move(n));
}

void Notifier::ack(int command)
{
    Notification n(SK_NOTIFY_ACK);
    n.message.data.ack.command = static_cast<uint8_t>(command);
    post(std::move(n));
}

void Notifier::nack(int command, int code)
{
    Notification n(SK_NOTIFY_NACK);
    n.message.data.ack.command = static_cast<uint8_t>(command);
    n.message.data.ack.code = static_cast<int16_t>(code);
    post(std::move(n));
}

void Notifier::error(int source, int code, const std::string &text)
{
    Notification n(SK_NOTIFY_ERROR);
    n.message.data.error.source = static_cast<uint8_t>(source);
    n.message.data.error.code = static_cast<int16_t>(code);
    n.text(text);
    post(std::move(n));
}

void Notifier::progress(int source, int code, int value, std::string text)
{
    Notification n(SK_NOTIFY_PROGRESS);
    n.message.data.progress.source = static_cast<uint8_t>(source);
    n.message.data.progress.code = static_cast<uint8_t>(code);
    n.message.data.progress.value = static_cast<int16_t>(value);
    n.text(std::move(text));
    post(std::move(n));
}

void Notifier::playerState(int state)
{
    value(SK_NOTIFY_PLAYER_STATE, state);
}

void Notifier::timecode(double seconds)
{
    const long hundredths = std::lround(std::max(0.0, seconds) * 100.0);
    const long whole = hundredths / 100;
    Notification n(SK_NOTIFY_INPUT_TIMECODE);
    n.message.data.timecode.hours = static_cast<uint8_t>(std::min(whole / 3600, 255L));
    n.message.data.timecode.minutes = static_cast<uint8_t>(whole / 60 % 60);
    n.message.data.timecode.seconds = static_cast<uint8_t>(whole % 60);
    n.message.data.timecode.fractions = static_cast<uint8_t>(hundredths % 100);
    post(std::move(n));
}

}  // namespace sonark
