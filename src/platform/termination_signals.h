#pragma once

// A logout, Ctrl+C or a service manager (SIGTERM, SIGINT, SIGHUP) ends the
// player as its Exit does, settings and default playlist and all. The
// signal only wakes the event loop through a pipe: nothing polls for it.

namespace platform {

// Call once the application object exists.
void quitOnTerminationSignals();

}  // namespace platform
