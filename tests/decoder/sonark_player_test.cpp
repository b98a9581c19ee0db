// The player component: typed events in posting order, the version check
// and the operations reaching the engine.

#include "decoder/sonark_player.h"
#include "support/engine_session.h"
#include "support/run_until.h"
#include "support/recording_dialogs.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <gtest/gtest.h>

TEST(SonarkPlayer, VersionMismatchIsShownAndThePlayerStillWorks)
{
    EXPECT_EQ(apiMismatchText(sonark_get_api_version(2)), QString());
    RecordingDialogs dialogs;
    TSonarkPlayer player(nullptr, dialogs, [](int32_t) { return (3u << 16) | (1u << 8); });
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_EQ(dialogs.errors[0].split('\r'), (QStringList{"Sonark DLL API Mismatch", "Expected 3,2", "Got 3,1"}));

    int32_t pong = 0;
    QObject::connect(&player, &TSonarkPlayer::OnNotifyPong, [&](TSonarkPlayer *sender, int32_t tag) {
        EXPECT_EQ(sender, &player);
        pong = tag;
    });
    player.Ping(77);
    EXPECT_TRUE(runUntil([&] { return pong == 77; }));
}

TEST(SonarkPlayer, PlayingASongRaisesTypedEventsInOrder)
{
    RecordingDialogs dialogs;
    TSonarkPlayer player(nullptr, dialogs);
    QStringList log;
    int messages = 0;
    bool ended = false;
    QObject::connect(&player, &TSonarkPlayer::OnNotifyMessage, [&](TSonarkPlayer *, SK_Message &) { ++messages; });
    QObject::connect(&player, &TSonarkPlayer::OnNotifyInputName,
                     [&](TSonarkPlayer *, const QString &name) { log << "name " + name.section('/', -1); });
    QObject::connect(&player, &TSonarkPlayer::OnNotifyInputDuration,
                     [&](TSonarkPlayer *, int32_t s) { log << QString("duration %1").arg(s); });
    QObject::connect(&player, &TSonarkPlayer::OnNotifyInputStreamInfo,
                     [&](TSonarkPlayer *, uint8_t level, uint8_t layer, uint16_t kbps, uint16_t hz, uint8_t mode) {
                         log << QString("info %1 %2 %3 %4 %5").arg(level).arg(layer).arg(kbps).arg(hz).arg(mode);
                     });
    QObject::connect(&player, &TSonarkPlayer::OnNotifyPlayerState, [&](TSonarkPlayer *, int state) {
        log << QString("state %1").arg(state);
        ended = ended || state == SK_STATE_EOF;
    });
    QObject::connect(&player, &TSonarkPlayer::OnNotifyInputTimecode,
                     [&](TSonarkPlayer *, uint8_t h, uint8_t m, uint8_t s, uint8_t) {
                         if (h == 0 && m == 0 && s == 4)
                             log << "at 0:04";
                     });
    QObject::connect(&player, &TSonarkPlayer::OnNotifyError,
                     [&](TSonarkPlayer *, uint8_t, int16_t, const QString &text) { log << "error " + text; });

    player.SetOutputName(QString::fromStdString("wav:/dev/null"));
    player.InputOpen(QString::fromStdString(fixture("l3-44k-stereo-cbr.mp3")));
    player.Play();
    ASSERT_TRUE(runUntil([&] { return ended; }));
    EXPECT_EQ(log, (QStringList{"name l3-44k-stereo-cbr.mp3", "duration 4", "info 1 3 128 44100 1", "state 1",
                                "at 0:04", "state 3"}));
    EXPECT_GT(messages, log.size()) << "OnNotifyMessage sees every notification";
    EXPECT_TRUE(dialogs.errors.isEmpty());
}

TEST(SonarkPlayer, RefusalsArriveAsNackAndError)
{
    RecordingDialogs dialogs;
    TSonarkPlayer player(nullptr, dialogs);
    QString error;
    std::pair<int, int> nack{0, 0};
    QObject::connect(&player, &TSonarkPlayer::OnNotifyError,
                     [&](TSonarkPlayer *, uint8_t source, int16_t, const QString &text) {
                         if (source == SK_SOURCE_INPUT)
                             error = text;
                     });
    QObject::connect(&player, &TSonarkPlayer::OnNotifyNack, [&](TSonarkPlayer *, uint8_t command, int16_t code) {
        nack = {command, code};
    });
    player.InputOpen("/no/such/song.mp3");
    ASSERT_TRUE(runUntil([&] { return nack.first != 0; }));
    EXPECT_EQ(nack, std::make_pair(int(SK_INPUT_OPEN), int(SK_ERROR_INPUT_OPEN)));
    EXPECT_TRUE(error.contains("/no/such/song.mp3"));
    EXPECT_EQ(player.ErrorString(SK_ERROR_INPUT_OPEN), "Cannot open the input");
}
