// The commands other programs, plug-ins and the program's own windows post
// to the main window; Timer2 carries out the one in the slot.

#include "ludro_app.h"

void LudroApp::executeCommand(int command, int argument)
{
    auto &c = controller_;
    switch (command) {
    case 40029:
    case 40145:
        c.OpenDialog();
        break;
    case 40036:
        eqForm_.setVisible(!eqForm_.isVisible());
        break;
    case 40040:
        plForm_.setVisible(!plForm_.isVisible());
        break;
    case 40044:
        c.PreviousSong();
        break;
    case 40045:
        c.PlayCommand();
        break;
    case 40046:
        c.PauseCommand();
        break;
    case 40047:
        c.StopCommand();
        break;
    case 40048:
        c.NextSong();
        break;
    case 40058:
        if (settings_.volume < 96)
            setVolume(settings_.volume + 5);
        break;
    case 40059:
        if (settings_.volume > 4)
            setVolume(settings_.volume - 5);
        break;
    case 40060:
    case 40148:
        c.SeekForward();
        break;
    case 40061:
    case 40144:
        c.SeekBack();
        break;
    case 40090:
        c.ToggleRepeat();
        break;
    case 40091:
        c.ToggleShuffle();
        break;
    case 40094:
        c.SetTimeElapsed(!c.timeElapsed);
        break;
    case 40095:
        // Entry numbers count from 1; the request is checked when it is taken.
        if (argument > 0)
            playlist_.pendingIndex = argument - 1;
        break;
    case 40096:
        if (argument >= 0 && argument < 101)
            setVolume(argument);
        break;
    case 40154:
        if (c.songLoaded)
            playlist_.pendingIndex = 0;
        break;
    case 40155:
        c.OpenAddress(dialogs_.askAddress());
        break;
    case 40158:
        if (c.songLoaded)
            playlist_.pendingIndex = playlist_.entryCount() - 1;
        break;
    default:
        break;
    }
}
