#include "play_through.h"

#include "core/playback_controller.h"
#include "playlist/playlist_model.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>

namespace {

// The first song waits for the start-up lights and the first Timer1 tick.
constexpr qint64 startLimitMs = 8000;

}  // namespace

bool PlayThrough::requested()
{
    return qEnvironmentVariableIntValue("LUDRO_PLAY_THROUGH") != 0;
}

PlayThrough::PlayThrough(PlaybackController &controller, const PlaylistModel &playlist)
    : controller_(controller), playlist_(playlist)
{
    QObject::connect(&timer_, &QTimer::timeout, [this] { watch(); });
    timer_.start(100);
}

void PlayThrough::watch()
{
    const int count = playlist_.entryCount();
    if (count == 0)
        std::fprintf(stderr, "Nothing to play\n");
    done_.resize(static_cast<std::size_t>(count));
    if (playlist_.currentIndex() != index_) {
        if (index_ >= 0 && !over_)
            endTurn();  // the controller moved on by itself
        index_ = playlist_.currentIndex();
        heard_ = announced_ = over_ = false;
        turnClock_.start();
    }
    if (!finished_ && !over_ && index_ < count)
        follow();
    if (finished_ || count == 0) {
        timer_.stop();
        QCoreApplication::quit();
    }
}

void PlayThrough::follow()
{
    const bool playing = controller_.playerState() != 0;
    if (playing && !heard_) {
        heard_ = true;
        turnClock_.start();
    }
    if (heard_ && !announced_ && (controller_.durationSeconds() > 0 || turnClock_.hasExpired(1000)))
        announce();
    if (heard_ && !playing) {
        endTurn();
    } else if (!heard_ && turnClock_.hasExpired(startLimitMs)) {
        endTurn();
        if (!finished_)
            controller_.NextSong();
    }
}

void PlayThrough::announce()
{
    announced_ = true;
    const QString title = controller_.displayTitle().isEmpty() ? QFileInfo(controller_.currentFile()).completeBaseName()
                                                             : controller_.displayTitle();
    std::printf("Playing %d/%d: %s (%s)\n", index_ + 1, playlist_.entryCount(), qPrintable(title),
                qPrintable(PlaybackController::minutesSeconds(static_cast<int>(controller_.durationSeconds()))));
    std::fflush(stdout);
}

// The list is through when every entry has had its turn, or, in order, the
// last one has: repeat would start it over.
void PlayThrough::endTurn()
{
    const int count = playlist_.entryCount();
    if (!heard_ && index_ < count)
        std::fprintf(stderr, "Cannot play %d/%d: %s\n", index_ + 1, count,
                     qPrintable(QFileInfo(playlist_.entryPath(index_)).fileName()));
    over_ = true;
    if (index_ < count)
        done_[static_cast<std::size_t>(index_)] = 1;
    finished_ = std::ranges::all_of(done_, [](char done) { return done != 0; })
        || (!controller_.shuffle() && index_ + 1 == count);
}
