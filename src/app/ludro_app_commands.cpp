// Each remote command of the table bound to what carries it out; Timer2
// takes them from the one command slot.

#include "ludro_app.h"

void LudroApp::bindRemoteCommands()
{
    auto &c = controller_;
    auto &r = remote_;
    r.bind("open", [&c](int) { c.LoadCommand(); });
    r.bind("load", [&c](int) { c.LoadCommand(); });
    r.bind("cd-mode", [this](int) { cd_.toggle(); });
    r.bind("equalizer", [this](int) { eqForm_.setVisible(!eqForm_.isVisible()); });
    r.bind("playlist", [this](int) { plForm_.setVisible(!plForm_.isVisible()); });
    r.bind("browser", [this](int) { browser_.toggle(); });
    r.bind("previous", [&c](int) { c.PreviousSong(); });
    r.bind("play", [&c](int) { c.PlayCommand(); });
    r.bind("pause", [&c](int) { c.PauseCommand(); });
    r.bind("stop", [&c](int) { c.StopCommand(); });
    r.bind("next", [&c](int) { c.NextSong(); });
    r.bind("volume-up", [this](int) { volume_.volumeUp(); });
    r.bind("volume-down", [this](int) { volume_.volumeDown(); });
    r.bind("volume", [this](int volume) { volume_.setVolume(volume); });
    r.bind("forward", [&c](int) { c.SeekForward(); });
    r.bind("jump-forward", [&c](int) { c.SeekForward(); });
    r.bind("back", [&c](int) { c.SeekBack(); });
    r.bind("jump-back", [&c](int) { c.SeekBack(); });
    r.bind("repeat", [&c](int) { c.ToggleRepeat(); });
    r.bind("shuffle", [&c](int) { c.ToggleShuffle(); });
    r.bind("time", [&c](int) { c.SetTimeElapsed(!c.timeElapsed()); });
    r.bind("play-entry", [&c](int number) { c.PlayEntryNumber(number); });
    r.bind("first", [&c](int) { c.PlayFirstEntry(); });
    r.bind("last", [&c](int) { c.PlayLastEntry(); });
    r.bind("url", [this](int) { controller_.OpenAddress(dialogs_.askAddress()); });
}
