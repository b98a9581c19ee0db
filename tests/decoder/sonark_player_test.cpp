// The player component: typed events in posting order, the version check
// and the operations reaching the engine.

#include "decoder/sonark_player.h"
#include "support/engine_session.h"
#include "support/run_until.h"
#include "support/recording_dialogs.h"

#include <gtest/gtest.h>

TEST(SonarkPlayer, VersionMismatchIsShownAndThePlayerStillWorks)
{
    EXPECT_EQ(apiMismatchText(sonark_get_api_version(2)), QString());
    RecordingDialogs dialogs;
    TSonarkPlayer player(nullptr, dialogs, [](int32_t) { return (3u << 16) | (1u << 8); });
    EXPECT_EQ(dialogs.errors, QStringList{"Sonark DLL API Mismatch\rExpected 3,2\rGot 3,1"});
    int32_t pong = 0;
    QObject::connect(&player, &TSonarkPlayer::OnNotifyPong, [&](TSonarkPlayer *, int32_t tag) { pong = tag; });
    player.Ping(77);
    EXPECT_TRUE(runUntil([&] { return pong == 77; }));
}

// A refused open's typed Nack and Error are seen where they are used: the
// controller's list of songs that all fail and its stream that cannot start.
TEST(SonarkPlayer, PlayingASongRaisesTypedEventsInOrder)
{
    RecordingDialogs dialogs;
    TSonarkPlayer player(nullptr, dialogs);
    QStringList log;
    QObject::connect(&player, &TSonarkPlayer::OnNotifyInputName,
                     [&](TSonarkPlayer *, const QString &name) { log << "name " + name.section('/', -1); });
    QObject::connect(&player, &TSonarkPlayer::OnNotifyInputDuration,
                     [&](TSonarkPlayer *, int32_t s) { log << QString("duration %1").arg(s); });
    QObject::connect(&player, &TSonarkPlayer::OnNotifyInputStreamInfo,
                     [&](TSonarkPlayer *, uint8_t level, uint8_t layer, uint16_t kbps, uint16_t hz, uint8_t mode) {
                         log << QString("info %1 %2 %3 %4 %5").arg(level).arg(layer).arg(kbps).arg(hz).arg(mode);
                     });
    QObject::connect(&player, &TSonarkPlayer::OnNotifyPlayerState,
                     [&](TSonarkPlayer *, int state) { log << QString("state %1").arg(state); });
    QObject::connect(&player, &TSonarkPlayer::OnNotifyInputTimecode,
                     [&](TSonarkPlayer *, uint8_t h, uint8_t m, uint8_t s, uint8_t) {
                         if (h == 0 && m == 0 && s == 4)
                             log << "at 0:04";
                     });

    player.SetOutputName("wav:/dev/null");
    player.InputOpen(QString::fromStdString(fixture("l3-44k-stereo-cbr.mp3")));
    player.Play();
    ASSERT_TRUE(runUntil([&] { return log.contains("state 3"); }));
    EXPECT_EQ(log, (QStringList{"name l3-44k-stereo-cbr.mp3", "duration 4", "info 1 3 128 44100 1", "state 1",
                                "at 0:04", "state 3"}));
}
