#pragma once

// Every setting of the program, with its default, read from and written to
// "LudroPro.ini" in the program folder, section "Ludro". Settings of windows
// that come later are kept here too, so nothing is lost when the file
// passes through this version.

#include "platform/profile_file.h"

#include <QString>

#include <array>

struct Settings {
    QString songDir;
    int leftPos = 20, topPos = 20;
    int volume = 80;
    int balance = 50;
    std::array<QString, 10> recent;
    int songPlaying = 0;
    QString texture = QStringLiteral("- Ludro Pro -");
    QString language = QStringLiteral("English");
    int icon1 = 1, icon2 = 1;
    QString recDest;
    int recInput = 0;
    bool mode = true;
    bool plVis = true, eqVis = true, brVis = false, recVis = false;
    bool repeat = true;
    bool random = false;
    bool autoScroll = true;
    bool onTop = false;
    bool elapsed = true;
    bool clearList = false;
    bool startPlay = true;
    bool showTime = false;
    bool useVolume = false;
    bool trayIcons = true;
    bool multiInst = false;
    bool sortList = true;
    bool musicGroup = false;
    QString cddbServer = QStringLiteral("gnudb.gnudb.org");
    QString userEMail = QStringLiteral("user@localhost");
    bool cddbEnabled = true;
    std::array<int, 12> eq{-34, -34, -20, -3, 5, 21, 25, 22, 5, -12, -30, -30};
    int playListX = 20, playListY = 283, playListH = 230, playListW = 435;
    int browserX = 200, browserY = 20, browserW = 400, browserH = 400;
    int recorderX = 455, recorderY = 157, recorderW = 333, recorderH = 356;
    int equalizerX = 20, equalizerY = 157, equalizerW = 436;
    std::array<int, 8> titleWidth{327, 30, 52, 78, 83, 50, 153, 60};
    bool useEqualizer = false;
    int playMode = 0;
    QString audioGe, audioIn, audioOut, audioBr, audioHq, audioDm, audioInt, audioGrabber, audioGg, audioTrack,
        audioGrabOutput;
    QString encPath;
    QString fontName;
    QString fontColor = QStringLiteral("clWhite");
    bool fontStyle = false;
    int fontSize = 7;
    bool directSound = false;
    // 0 off, 1 spectrum analyser, 2 oscilloscope.
    int visualizer = 1;
    // The skinned windows' size in percent: 100, 150, 200 or 300.
    int windowSize = 100;

    // Defaults for what the file does not say; `home` is the user's folder.
    void read(const platform::ProfileFile &file, const QString &home);
    // In the file's key order; an empty song folder becomes the program folder.
    void write(platform::ProfileFile &file, const QString &programFolder) const;

private:
    void keepInRange();
};

// "LudroPro.ini" in the program folder.
QString settingsPath(const QString &programFolder);
// The settings file of the program folder read, `home` being the user's folder.
Settings readSettings(const QString &programFolder, const QString &home);
