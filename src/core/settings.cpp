#include "settings.h"

#include <algorithm>

namespace {

const QString section = QStringLiteral("Ludro");

// Calls visit(key, field) for every setting, in the order of the file.
template <typename S, typename Visit>
void eachSetting(S &s, Visit visit)
{
    visit("SongDir", s.songDir);
    visit("LeftPos", s.leftPos);
    visit("TopPos", s.topPos);
    visit("Volume", s.volume);
    visit("Balance", s.balance);
    for (int i = 0; i < 10; ++i)
        visit(QStringLiteral("Recent%1").arg(i + 1), s.recent[static_cast<std::size_t>(i)]);
    visit("SongPlaying", s.songPlaying);
    visit("Texture", s.texture);
    visit("Language", s.language);
    visit("Icon1", s.icon1);
    visit("Icon2", s.icon2);
    visit("RecDest", s.recDest);
    visit("RecInput", s.recInput);
    visit("Mode", s.mode);
    visit("PLVis", s.plVis);
    visit("EQVis", s.eqVis);
    visit("BRVis", s.brVis);
    visit("RecVis", s.recVis);
    visit("Repeat", s.repeat);
    visit("Random", s.random);
    visit("AutoScroll", s.autoScroll);
    visit("OnTop", s.onTop);
    visit("Elapsed", s.elapsed);
    visit("ClearList", s.clearList);
    visit("StartPlay", s.startPlay);
    visit("ShowTime", s.showTime);
    visit("UseVolume", s.useVolume);
    visit("TrayIcons", s.trayIcons);
    visit("MultiInst", s.multiInst);
    visit("SortList", s.sortList);
    visit("MusicGroup", s.musicGroup);
    visit("CDDBServer", s.cddbServer);
    visit("UserEMail", s.userEMail);
    visit("CDDBEnabled", s.cddbEnabled);
    for (int i = 0; i < 12; ++i)
        visit(QStringLiteral("Eq%1").arg(i + 1), s.eq[static_cast<std::size_t>(i)]);
    visit("PlayListX", s.playListX);
    visit("PlayListY", s.playListY);
    visit("PlayListH", s.playListH);
    visit("PlayListW", s.playListW);
    visit("BrowserX", s.browserX);
    visit("BrowserY", s.browserY);
    visit("BrowserW", s.browserW);
    visit("BrowserH", s.browserH);
    visit("RecorderX", s.recorderX);
    visit("RecorderY", s.recorderY);
    visit("RecorderW", s.recorderW);
    visit("RecorderH", s.recorderH);
    visit("EqualizerX", s.equalizerX);
    visit("EqualizerY", s.equalizerY);
    visit("EqualizerW", s.equalizerW);
    for (int i = 0; i < 8; ++i)
        visit(QStringLiteral("TitleWidth%1").arg(i + 1), s.titleWidth[static_cast<std::size_t>(i)]);
    visit("UseEqualizer", s.useEqualizer);
    visit("PlayMode", s.playMode);
    visit("AudioGe", s.audioGe);
    visit("AudioIn", s.audioIn);
    visit("AudioOut", s.audioOut);
    visit("AudioBr", s.audioBr);
    visit("AudioHq", s.audioHq);
    visit("AudioDm", s.audioDm);
    visit("AudioInt", s.audioInt);
    visit("AudioGrabber", s.audioGrabber);
    visit("AudioGg", s.audioGg);
    visit("AudioTrack", s.audioTrack);
    visit("AudioGrabOutput", s.audioGrabOutput);
    visit("EncPath", s.encPath);
    visit("FontName", s.fontName);
    visit("FontColor", s.fontColor);
    visit("FontStyle", s.fontStyle);
    visit("FontSize", s.fontSize);
    visit("DirectSound", s.directSound);
    visit("Visualizer", s.visualizer);
    visit("WindowSize", s.windowSize);
}

struct Reader {
    const platform::ProfileFile &file;
    void operator()(const QString &key, QString &field) const { field = file.readString(section, key, field); }
    void operator()(const QString &key, int &field) const { field = file.readInteger(section, key, field); }
    void operator()(const QString &key, bool &field) const { field = file.readBool(section, key, field); }
};

struct Writer {
    platform::ProfileFile &file;
    void operator()(const QString &key, const QString &field) const { file.writeString(section, key, field); }
    void operator()(const QString &key, int field) const { file.writeInteger(section, key, field); }
    void operator()(const QString &key, bool field) const { file.writeBool(section, key, field); }
};

}  // namespace

QString settingsPath(const QString &programFolder)
{
    return programFolder + QStringLiteral("LudroPro.ini");
}

Settings readSettings(const QString &programFolder, const QString &home)
{
    Settings settings;
    settings.read(platform::ProfileFile::load(settingsPath(programFolder)), home);
    return settings;
}

void Settings::read(const platform::ProfileFile &file, const QString &home)
{
    if (songDir.isEmpty())
        songDir = home;
    if (recDest.isEmpty())
        recDest = home;
    eachSetting(*this, Reader{file});
    keepInRange();
}

// A hand-edited or damaged file may hold any number; the windows and the
// engine get only values they can show and play.
void Settings::keepInRange()
{
    volume = std::clamp(volume, 0, 100);
    balance = std::clamp(balance, 0, 100);
    if (playMode < 0 || playMode > 3)
        playMode = 0;
    fontSize = std::clamp(fontSize, 1, 72);
    if (visualizer < 0 || visualizer > 2)
        visualizer = 1;
    if (windowSize != 100 && windowSize != 150 && windowSize != 200 && windowSize != 300)
        windowSize = 100;
    // No screen reaches further; beyond it window arithmetic would overflow.
    constexpr int farthest = 32767;
    for (int *place : {&leftPos, &topPos, &playListX, &playListY, &browserX, &browserY, &recorderX, &recorderY,
                       &equalizerX, &equalizerY})
        *place = std::clamp(*place, -farthest, farthest);
    for (int *extent : {&playListW, &playListH, &browserW, &browserH, &recorderW, &recorderH, &equalizerW})
        *extent = std::clamp(*extent, 0, farthest);
}

void Settings::write(platform::ProfileFile &file, const QString &programFolder) const
{
    file.writeString(section, QStringLiteral("Version"), QStringLiteral("2.00"));
    Settings copy = *this;
    if (copy.songDir.isEmpty())
        copy.songDir = programFolder;
    eachSetting(copy, Writer{file});
}
