// Playlist files as the playlist window and the main window read them. The
// first byte picks the list's extension, the rest is the file.

#include "fuzz_input.h"
#include "playlist/playlist_file.h"

#include <array>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    static const std::array<QString, 4> extensions{"m3u", "m3u8", "pls", "dmp"};
    const QString name = fuzz::inputFile(data + 1, size - 1, "list." + extensions[data[0] % extensions.size()]);

    PlaylistModel added;
    const QString error = playlist_files::readPlaylistFile(added, name);
    PlaylistModel opened;
    opened.addNetworkEntry("http://kept.example/");
    const QString refusal = playlist_files::openFromMainWindow(opened, name);
    // A file that holds no text is no list to either, and changes nothing.
    fuzz::require(error.isEmpty() == refusal.isEmpty());
    if (!refusal.isEmpty()) {
        fuzz::require(added.entryCount() == 0 && opened.entryCount() == 1);
        return 0;
    }
    // The main window lists every line the playlist window takes, and more.
    fuzz::require(added.entryCount() <= opened.entryCount());
    return 0;
}
