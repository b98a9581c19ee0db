#include "keys_feature.h"

#include "app/jump_box.h"
#include "app/main_form.h"
#include "app/playlist_feature.h"
#include "core/playback_controller.h"
#include "platform/dialogs.h"

KeysFeature::KeysFeature(AppContext &app, PlaylistFeature &playlist) : Feature(app), keys_(app.remote)
{
    keys_.serve(app.mainForm);
    connect(&playlist, &PlaylistFeature::formMade, this, [this](TPLForm &form) {
        keys_.serve(form);
        form.action(QStringLiteral("Playlist_Del_Sel"))->setShortcuts(keysOf("delete-selected"));
        form.action(QStringLiteral("Playlist_Edit_SelAll"))->setShortcuts(keysOf("select-all"));
    });
}

void KeysFeature::bindCommands(RemoteControl &remote)
{
    remote.bind("jump-to-song", [this](int) { jumpToSong(); });
}

// The disc's tracks are not the playlist's: the box waits for the songs.
void KeysFeature::jumpToSong()
{
    if (app.playback.cdMode() || app.playlist.entryCount() == 0)
        return;
    if (const int chosen = app.dialogs.chooseSong(JumpBox::linesOf(app.playlist)); chosen >= 0)
        app.playback.PlayEntryNumber(chosen + 1);
}
