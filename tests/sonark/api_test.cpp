// The engine's C surface: handles, conversion of notifications
// and the echoes of settings (the equalizer's and the pitch's are the
// program's test).

#include "support/engine_session.h"
#include "support/run_until.h"

#include <gtest/gtest.h>

// An unknown player is refused everywhere (the version is checked by the
// player component's test). Texts live in the engine until the next
// conversion; a message converted once cannot be converted again, and one
// from another player is refused.
TEST(EngineApi, UnknownPlayersAndNotificationsConvertedBeforeAreRefused)
{
    SK_Message m;
    EXPECT_EQ(control_message_send_N(999999, SK_PLAY), SK_ERROR_NO_SUCH_PLAYER);
    EXPECT_EQ(control_win32_params_to_message(999999, &m, SK_NOTIFICATION_MESSAGE, 1, 999999), SK_ERROR_NO_SUCH_PLAYER);
    EXPECT_EQ(player_delete(999999), SK_ERROR_NO_SUCH_PLAYER);
    EXPECT_EQ(player_new(nullptr, nullptr), SK_ERROR_INVALID_ARGUMENT);

    std::vector<platform::WindowMessage> raw;
    platform::MessageWindow window([&](const platform::WindowMessage &m) { raw.push_back(m); });
    const SK_WindowHandle handle = window.handle();
    SK_Player player = 0;
    ASSERT_EQ(player_new(&player, &handle), SK_SUCCESS);
    control_message_send_SI(player, SK_SET_PLAYER_ENVIRONMENT_INTEGER, "OUTPUT.DIRECTSOUND.WINDOW", 77);
    control_message_send_N(player, SK_EXIT);
    runUntil([&] { return raw.size() >= 3; }, 5000);
    ASSERT_EQ(raw.size(), 3u);  // ready, environment echo, exited
    const auto convert = [&](int i, int msgDelta = 0, int lParamDelta = 0) {
        return control_win32_params_to_message(player, &m, raw[i].msg + msgDelta, raw[i].wParam,
                                               raw[i].lParam + lParamDelta);
    };
    ASSERT_EQ(convert(1), SK_SUCCESS);
    EXPECT_STREQ(m.text[0], "OUTPUT.DIRECTSOUND.WINDOW");
    EXPECT_NE(convert(1), SK_SUCCESS);
    EXPECT_NE(convert(2, 1), SK_SUCCESS);
    EXPECT_NE(convert(2, 0, 1), SK_SUCCESS);
    ASSERT_EQ(convert(2), SK_SUCCESS);
    EXPECT_EQ(m.code, SK_NOTIFY_EXITED);
    player_delete(player);
    EXPECT_NE(convert(2), SK_SUCCESS);
}

// Commands without an input are refused; Exit ends the player, later
// commands are ignored.
TEST(EngineApi, SettingsAreEchoedAndBadValuesRefused)
{
    EngineSession s;
    const SK_Player p = s.player();
    control_message_send_III(p, SK_SET_OUTPUT_VOLUME, 30, 80, 255);
    control_message_send_III(p, SK_SET_OUTPUT_VOLUME, 255, 255, 60);
    control_message_send_SI(p, SK_SET_PLAYER_ENVIRONMENT_INTEGER, "OUTPUT.DIRECTSOUND.PITCH", 2001);
    control_message_send_I(p, SK_SET_OUTPUT_CHANNELS, 4);
    control_message_send_S(p, SK_SET_OUTPUT_NAME, "/dev/nowhere");
    control_message_send_II(p, SK_INPUT_SEEK, 1, 2);  // no input yet
    for (int command : {SK_PAUSE, SK_STOP, SK_INPUT_CLOSE, SK_PLAY, SK_EXIT})
        control_message_send_N(p, command);
    ASSERT_NE(s.waitForEvent(SK_NOTIFY_EXITED), nullptr);
    const std::size_t exited = s.mark();
    control_message_send_I(p, SK_PING, 1);
    EXPECT_FALSE(s.waitFor([&] { return s.mark() != exited; }, std::chrono::milliseconds(200)))
        << "nothing after the exit";

    std::vector<std::vector<int>> volumes;  // balance, pcm, master
    std::vector<std::pair<int, int>> nacks;
    for (const Event &e : s.events()) {
        const auto &d = e.message.data;
        if (e.code() == SK_NOTIFY_OUTPUT_VOLUME)
            volumes.push_back({d.volume.balance, d.volume.pcm, d.volume.master});
        if (e.code() == SK_NOTIFY_NACK)
            nacks.emplace_back(d.ack.command, d.ack.code);
    }
    EXPECT_EQ(volumes, (std::vector<std::vector<int>>{{30, 80, 100}, {30, 80, 60}}));
    // Each changed level has its own echo as well.
    for (int code : {SK_NOTIFY_OUTPUT_BALANCE, SK_NOTIFY_OUTPUT_PCM_LEVEL, SK_NOTIFY_OUTPUT_MASTER_LEVEL})
        EXPECT_NE(s.find(code), nullptr) << code;
    EXPECT_EQ(nacks, (std::vector<std::pair<int, int>>{{SK_SET_PLAYER_ENVIRONMENT_INTEGER, SK_ERROR_INVALID_ARGUMENT},
                                                       {SK_SET_OUTPUT_CHANNELS, SK_ERROR_INVALID_ARGUMENT},
                                                       {SK_SET_OUTPUT_NAME, SK_ERROR_INVALID_ARGUMENT},
                                                       {SK_INPUT_SEEK, SK_ERROR_NO_INPUT},
                                                       {SK_PLAY, SK_ERROR_NO_INPUT}}));
}
