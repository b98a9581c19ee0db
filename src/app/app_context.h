#pragma once

// What every feature of the program may use: the services the program
// makes once and keeps until it ends. Features take it by reference and
// never outlive it.

class Language;
class MainMenu;
class OutputControl;
class PlaybackController;
class PlaylistModel;
class RemoteControl;
class TMainForm;
class TSonarkPlayer;
class TextureManager;
class VolumeControl;
struct Settings;
namespace platform {
class DataFolders;
class Dialogs;
}  // namespace platform

struct AppContext {
    platform::Dialogs &dialogs;
    const platform::DataFolders &folders;
    Settings &settings;
    Language &language;
    TextureManager &textures;
    PlaylistModel &playlist;
    TSonarkPlayer &player;
    PlaybackController &playback;
    VolumeControl &volume;
    OutputControl &output;
    RemoteControl &remote;
    TMainForm &mainForm;
    MainMenu &menu;
};
