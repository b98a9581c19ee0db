// The C surface of the engine: a registry of players and thin wrappers that
// queue control messages. Nothing here throws across the C boundary.

#include "sonark.h"

#include "player.h"

#include <cstring>
#include <map>
#include <memory>
#include <mutex>

namespace {

using sonark::Command;
using sonark::Player;

struct Registry {
    std::mutex mutex;
    std::map<SK_Player, std::shared_ptr<Player>> players;
    SK_Player next = 1;
};

Registry &registry()
{
    static Registry instance;
    return instance;
}

std::shared_ptr<Player> find(SK_Player player)
{
    Registry &r = registry();
    std::lock_guard lock(r.mutex);
    auto it = r.players.find(player);
    return it == r.players.end() ? nullptr : it->second;
}

int32_t send(SK_Player player, Command command)
{
    try {
        auto p = find(player);
        if (!p)
            return SK_ERROR_NO_SUCH_PLAYER;
        p->send(std::move(command));
        return SK_SUCCESS;
    } catch (...) {
        return SK_ERROR_FAILURE;
    }
}

std::string text(const char *s)
{
    return s ? s : "";
}

}  // namespace

extern "C" {

uint32_t sonark_get_api_version(int32_t)
{
    return (SK_API_VERSION_MAJOR << 16) | (SK_API_VERSION_MINOR << 8);
}

const char *sonark_error_string(int32_t code)
{
    switch (code) {
    case SK_SUCCESS:
        return "Success";
    case SK_ERROR_FAILURE:
        return "Failure";
    case SK_ERROR_INVALID_ARGUMENT:
        return "Invalid argument";
    case SK_ERROR_NO_SUCH_PLAYER:
        return "No such player";
    case SK_ERROR_NO_INPUT:
        return "No input is open";
    case SK_ERROR_INPUT_OPEN:
        return "Cannot open the input";
    case SK_ERROR_INPUT_FORMAT:
        return "The input is not MPEG audio";
    case SK_ERROR_INPUT_READ:
        return "Cannot read the input";
    case SK_ERROR_NOT_SEEKABLE:
        return "The input cannot be sought";
    case SK_ERROR_OUTPUT:
        return "Output failure";
    case SK_ERROR_NETWORK:
        return "Network failure";
    case SK_ERROR_UNSUPPORTED:
        return "Not supported";
    case SK_ERROR_EXITED:
        return "The player has exited";
    default:
        return "Unknown error";
    }
}

int32_t player_new(SK_Player *player, const SK_WindowHandle *notification_window)
{
    if (!player || !notification_window)
        return SK_ERROR_INVALID_ARGUMENT;
    try {
        Registry &r = registry();
        std::lock_guard lock(r.mutex);
        const SK_Player id = r.next++;
        r.players.emplace(id, std::make_shared<Player>(id, *notification_window));
        *player = id;
        return SK_SUCCESS;
    } catch (...) {
        return SK_ERROR_FAILURE;
    }
}

int32_t player_delete(SK_Player player)
{
    std::shared_ptr<Player> p;
    {
        Registry &r = registry();
        std::lock_guard lock(r.mutex);
        auto it = r.players.find(player);
        if (it == r.players.end())
            return SK_ERROR_NO_SUCH_PLAYER;
        p = std::move(it->second);
        r.players.erase(it);
    }
    p.reset();  // joins the player's thread outside the registry lock
    return SK_SUCCESS;
}

int32_t player_set_priority(SK_Player player, uint32_t priority)
{
    auto p = find(player);
    if (!p)
        return SK_ERROR_NO_SUCH_PLAYER;
    p->setPriority(priority);
    return SK_SUCCESS;
}

int32_t player_read_pcm(SK_Player player, int16_t *stereo, int32_t frames)
{
    if (!stereo || frames < 0)
        return SK_ERROR_INVALID_ARGUMENT;
    auto p = find(player);
    if (!p)
        return SK_ERROR_NO_SUCH_PLAYER;
    return static_cast<int32_t>(p->pcmTap().read(stereo, static_cast<std::size_t>(frames)));
}

uint32_t player_get_priority(SK_Player player)
{
    auto p = find(player);
    return p ? p->priority() : 0;
}

int32_t control_message_send_N(SK_Player player, int32_t code)
{
    return send(player, {code});
}

int32_t control_message_send_I(SK_Player player, int32_t code, int32_t a)
{
    return send(player, {code, a});
}

int32_t control_message_send_II(SK_Player player, int32_t code, int32_t a, int32_t b)
{
    return send(player, {code, a, b});
}

int32_t control_message_send_III(SK_Player player, int32_t code, int32_t a, int32_t b, int32_t c)
{
    return send(player, {code, a, b, c});
}

int32_t control_message_send_IPI(SK_Player player, int32_t code, int32_t a, const void *, int32_t size)
{
    return send(player, {code, a, size});
}

int32_t control_message_send_S(SK_Player player, int32_t code, const char *s)
{
    return send(player, {code, 0, 0, 0, text(s)});
}

int32_t control_message_send_SI(SK_Player player, int32_t code, const char *s, int32_t a)
{
    return send(player, {code, a, 0, 0, text(s)});
}

int32_t control_message_send_SS(SK_Player player, int32_t code, const char *s, const char *t)
{
    return send(player, {code, 0, 0, 0, text(s), text(t)});
}

// The record is copied now: the caller's may be gone when the player runs.
int32_t control_message_send_P(SK_Player player, int32_t code, const void *p)
{
    Command command{code};
    if (code == SK_SET_CODEC_EQUALIZER && p) {
        SK_EqualizerInfo equalizer;
        std::memcpy(&equalizer, p, sizeof equalizer);
        command.equalizer = equalizer;
    }
    return send(player, std::move(command));
}

int32_t control_win32_params_to_message(SK_Player player, SK_Message *message, uint32_t msg, uintptr_t wparam,
                                        intptr_t lparam)
{
    if (!message)
        return SK_ERROR_INVALID_ARGUMENT;
    auto p = find(player);
    if (!p) {
        *message = SK_Message{};
        message->code = -1;
        return SK_ERROR_NO_SUCH_PLAYER;
    }
    return p->notifier().convert(message, msg, wparam, lparam);
}

}  // extern "C"
