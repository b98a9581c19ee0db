#pragma once

// LUDRO_PLAY_THROUGH=1: the playlist plays once to its end, whatever repeat
// and shuffle say, and then the program ends; each song is printed as it
// starts, so the player can be followed where there is no display. A song
// that does not start within a few seconds is reported and skipped.

#include <QElapsedTimer>
#include <QTimer>

#include <vector>

class PlaybackController;
class PlaylistModel;

class PlayThrough {
public:
    static bool requested();

    PlayThrough(PlaybackController &controller, const PlaylistModel &playlist);

private:
    void watch();
    void follow();
    void announce();
    void endTurn();

    PlaybackController &controller_;
    const PlaylistModel &playlist_;
    QTimer timer_;
    QElapsedTimer turnClock_;
    int index_ = -1;
    bool heard_ = false;      // the current entry was seen playing
    bool announced_ = false;
    bool over_ = false;       // the current entry has had its turn
    bool finished_ = false;
    std::vector<char> done_;  // per entry: had its turn
};
