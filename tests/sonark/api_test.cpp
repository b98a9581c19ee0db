// The engine's C surface: handles, error texts, conversion of notifications
// and the echoes of settings.

#include "support/engine_session.h"
#include "support/run_until.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>

// The version is checked by the player component's test.
TEST(EngineApi, UnknownPlayerIsRefusedEverywhereAndErrorsHaveTexts)
{
    EXPECT_STRNE(sonark_error_string(SK_ERROR_NOT_SEEKABLE), sonark_error_string(SK_ERROR_NO_INPUT));
    EXPECT_STREQ(sonark_error_string(12345), "Unknown error");
    SK_Message m;
    EXPECT_EQ(control_message_send_N(999999, SK_PLAY), SK_ERROR_NO_SUCH_PLAYER);
    EXPECT_EQ(control_win32_params_to_message(999999, &m, SK_NOTIFICATION_MESSAGE, 1, 999999), SK_ERROR_NO_SUCH_PLAYER);
    EXPECT_EQ(m.code, -1);
    EXPECT_EQ(player_delete(999999), SK_ERROR_NO_SUCH_PLAYER);
    EXPECT_EQ(player_new(nullptr, nullptr), SK_ERROR_INVALID_ARGUMENT);
}

// Texts live in the engine until the next conversion; a message converted
// once cannot be converted again, and one from another player is refused.
TEST(EngineApi, ConversionHandsOutEachNotificationOnce)
{
    std::vector<platform::WindowMessage> raw;
    platform::MessageWindow window([&](const platform::WindowMessage &m) { raw.push_back(m); });
    const SK_WindowHandle handle = window.handle();
    SK_Player player = 0;
    ASSERT_EQ(player_new(&player, &handle), SK_SUCCESS);
    control_message_send_SI(player, SK_SET_PLAYER_ENVIRONMENT_INTEGER, "OUTPUT.DIRECTSOUND.WINDOW", 77);
    control_message_send_N(player, SK_EXIT);
    runUntil([&] { return raw.size() >= 3; }, 5000);
    ASSERT_EQ(raw.size(), 3u);  // ready, environment echo, exited

    SK_Message m;
    ASSERT_EQ(control_win32_params_to_message(player, &m, raw[1].msg, raw[1].wParam, raw[1].lParam), SK_SUCCESS);
    EXPECT_EQ(m.code, SK_NOTIFY_PLAYER_ENVIRONMENT_INTEGER);
    ASSERT_NE(m.text[0], nullptr);
    EXPECT_STREQ(m.text[0], "OUTPUT.DIRECTSOUND.WINDOW");
    EXPECT_EQ(m.data.environment.value, 77);
    EXPECT_EQ(m.data.bytes[4], 77);  // the value sits at byte 8 of the record

    EXPECT_NE(control_win32_params_to_message(player, &m, raw[1].msg, raw[1].wParam, raw[1].lParam), SK_SUCCESS);
    EXPECT_EQ(m.code, -1);
    EXPECT_NE(control_win32_params_to_message(player, &m, raw[2].msg + 1, raw[2].wParam, raw[2].lParam), SK_SUCCESS);
    EXPECT_NE(control_win32_params_to_message(player, &m, raw[2].msg, raw[2].wParam, raw[2].lParam + 1), SK_SUCCESS);
    ASSERT_EQ(control_win32_params_to_message(player, &m, raw[2].msg, raw[2].wParam, raw[2].lParam), SK_SUCCESS);
    EXPECT_EQ(m.code, SK_NOTIFY_EXITED);
    player_delete(player);
    EXPECT_NE(control_win32_params_to_message(player, &m, raw[2].msg, raw[2].wParam, raw[2].lParam), SK_SUCCESS);
}

// Exit ends the player: later commands are ignored.
TEST(EngineApi, SettingsAreEchoedAndBadValuesRefused)
{
    EngineSession s;
    const SK_Player p = s.player();
    control_message_send_III(p, SK_SET_OUTPUT_VOLUME, 30, 80, 255);
    control_message_send_III(p, SK_SET_OUTPUT_VOLUME, 255, 255, 60);
    control_message_send_SI(p, SK_SET_PLAYER_ENVIRONMENT_INTEGER, "OUTPUT.DIRECTSOUND.PITCH", 2001);
    control_message_send_SI(p, SK_SET_PLAYER_ENVIRONMENT_INTEGER, "OUTPUT.DIRECTSOUND.PITCH", 1500);
    control_message_send_I(p, SK_SET_OUTPUT_CHANNELS, 4);
    control_message_send_I(p, SK_SET_CODEC_QUALITY, 2);
    control_message_send_I(p, SK_SET_PLAYER_MODE, 1);
    control_message_send_S(p, SK_OUTPUT_MODULE_REGISTER, "dsound_output_module_register@directsound.dll");
    control_message_send_S(p, SK_SET_OUTPUT_NAME, "/dev/nowhere");
    control_message_send_N(p, SK_EXIT);
    ASSERT_NE(s.waitForEvent(SK_NOTIFY_EXITED), nullptr);
    const std::size_t exited = s.mark();
    control_message_send_I(p, SK_PING, 1);
    EXPECT_FALSE(s.waitFor([&] { return s.mark() != exited; }, std::chrono::milliseconds(200)))
        << "nothing after the exit";

    std::vector<std::array<int, 3>> volumes;  // balance, pcm, master
    for (const Event &e : s.events())
        if (e.code() == SK_NOTIFY_OUTPUT_VOLUME)
            volumes.push_back({e.message.data.volume.balance, e.message.data.volume.pcm, e.message.data.volume.master});
    EXPECT_EQ(volumes, (std::vector<std::array<int, 3>>{{30, 80, 100}, {30, 80, 60}}));
    // Each changed level has its own echo as well, at its byte of the record.
    const auto echoed = [&](int code, int byte) { return s.find(code) ? s.find(code)->message.data.bytes[byte] : -1; };
    EXPECT_EQ(echoed(SK_NOTIFY_OUTPUT_BALANCE, 2), 30);
    EXPECT_EQ(echoed(SK_NOTIFY_OUTPUT_PCM_LEVEL, 1), 80);
    EXPECT_EQ(echoed(SK_NOTIFY_OUTPUT_MASTER_LEVEL, 0), 60);

    std::vector<std::pair<int, int>> nacks;
    for (const Event &e : s.events())
        if (e.code() == SK_NOTIFY_NACK)
            nacks.emplace_back(e.message.data.ack.command, e.message.data.ack.code);
    EXPECT_EQ(nacks, (std::vector<std::pair<int, int>>{{SK_SET_PLAYER_ENVIRONMENT_INTEGER, SK_ERROR_INVALID_ARGUMENT},
                                                       {SK_SET_OUTPUT_CHANNELS, SK_ERROR_INVALID_ARGUMENT},
                                                       {SK_SET_OUTPUT_NAME, SK_ERROR_INVALID_ARGUMENT}}));
    const Event *pitch = s.find(SK_NOTIFY_PLAYER_ENVIRONMENT_INTEGER);
    ASSERT_NE(pitch, nullptr);
    EXPECT_EQ(pitch->texts[0], "OUTPUT.DIRECTSOUND.PITCH");
    EXPECT_EQ(pitch->message.data.environment.value, 1500);
    ASSERT_NE(s.find(SK_NOTIFY_CODEC_QUALITY), nullptr);
    EXPECT_EQ(s.find(SK_NOTIFY_CODEC_QUALITY)->state(), 2);
    EXPECT_EQ(s.find(SK_NOTIFY_PLAYER_MODE)->message.data.value, 1);
}

// The record is copied when sent: the caller may reuse its buffer at once.
TEST(EngineApi, EqualizerRecordIsCopiedAndEchoed)
{
    EngineSession s;
    SK_EqualizerInfo eq;
    for (int i = 0; i < 32; ++i) {
        eq.left[i] = static_cast<int8_t>(i - 16);
        eq.right[i] = static_cast<int8_t>(16 - i);
    }
    control_message_send_P(s.player(), SK_SET_CODEC_EQUALIZER, &eq);
    std::memset(&eq, 99, sizeof eq);
    control_message_send_P(s.player(), SK_SET_CODEC_EQUALIZER, nullptr);
    ASSERT_TRUE(s.waitFor([&] {
        int n = 0;
        for (const Event &e : s.events())
            n += e.code() == SK_NOTIFY_CODEC_EQUALIZER;
        return n == 2;
    }));
    std::vector<SK_EqualizerInfo> echoes;
    for (const Event &e : s.events())
        if (e.code() == SK_NOTIFY_CODEC_EQUALIZER) {
            ASSERT_TRUE(e.equalizer.has_value());
            echoes.push_back(*e.equalizer);
        }
    EXPECT_EQ(echoes[0].left[0], -16);
    EXPECT_EQ(echoes[0].right[31], -15);
    for (int i = 0; i < 32; ++i)
        EXPECT_EQ(echoes[1].left[i], 0);
}
