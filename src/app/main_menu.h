#pragma once

// The main window's pop-up menu, its items named by their keys in the
// message table. Items whose windows do not exist yet are shown disabled.

#include <QMenu>

#include <array>
#include <functional>

class PlaybackController;

class MainMenu : public QMenu {
public:
    struct Commands {
        std::function<void()> load, url, cdMode, exit;
        // Runs a command of the table by name: the items that have keys.
        std::function<void(const char *)> run;
    };

    MainMenu(PlaybackController &controller, Commands commands, QWidget *parent = nullptr);

    // Puts the check marks in line with the controller before showing.
    void refreshChecks();
    // One entry per non-empty place, newest first; choosing one opens it.
    void showRecentFiles(const std::array<QString, 10> &files, const std::function<void(const QString &)> &open);
    // In CD mode the file items (load, address, recent files, repeat and
    // shuffle) are hidden.
    void setCdMode(bool on);

    QAction *repeatAction() const { return repeat_; }
    QAction *shuffleAction() const { return shuffle_; }
    QAction *cdModeAction() const { return cdMode_; }
    // Items of windows that come later: disabled until the program connects them.
    QAction *equalizerAction() const { return equalizer_; }
    QAction *informationAction() const { return information_; }
    QAction *pitchAction() const { return pitch_; }
    QAction *converterAction() const { return converter_; }
    QAction *browserAction() const { return browser_; }
    QAction *recorderAction() const { return recorder_; }
    QAction *audioRecorderAction() const { return audioRecorder_; }
    // "Audio Manager": the recorder and the converter, also the main
    // window's audio button.
    QMenu *audioMenu() const { return audio_; }
    // Checked in Cool Bar mode; the program connects it.
    QAction *coolBarAction() const { return coolBar_; }
    // Double size (Ctrl+D) and the window sizes, each item's data its size
    // in percent; checked as the program says, which connects them.
    QAction *doubleSizeAction() const { return doubleSize_; }
    QMenu *sizeMenu() const { return size_; }
    // The preferences window, on the page shown last or on the textures.
    QAction *preferencesAction() const { return preferences_; }
    QAction *browseTexturesAction() const { return browseTextures_; }

private:
    PlaybackController &controller_;
    QMenu *recent_ = nullptr;
    QMenu *audio_ = nullptr;
    QAction *load_ = nullptr;
    QAction *url_ = nullptr;
    QAction *cdMode_ = nullptr;
    QAction *repeat_ = nullptr;
    QAction *shuffle_ = nullptr;
    QAction *equalizer_ = nullptr;
    QAction *information_ = nullptr;
    QAction *pitch_ = nullptr;
    QAction *converter_ = nullptr;
    QAction *browser_ = nullptr;
    QAction *recorder_ = nullptr;
    QAction *audioRecorder_ = nullptr;
    QAction *coolBar_ = nullptr;
    QAction *doubleSize_ = nullptr;
    QMenu *size_ = nullptr;
    QAction *preferences_ = nullptr;
    QAction *browseTextures_ = nullptr;
    QAction *onTop_ = nullptr;
    QAction *elapsed_ = nullptr;
    QAction *remaining_ = nullptr;
};
