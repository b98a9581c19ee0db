#pragma once

// A Winamp skin's playlist window: the frame, buttons and scroll bar cut
// from "pledit.bmp" and the list's colours from "pledit.txt". Every place
// here is in skin pixels of a window `size` big, so the window can be drawn
// and hit at another scale through these functions alone.

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>

#include <vector>

class QPainter;

struct WinampPlaylistColours {
    QColor normal{0x00, 0xFF, 0x00};
    QColor current{0xFF, 0xFF, 0xFF};
    QColor normalBackground{0x00, 0x00, 0x00};
    QColor selectedBackground{0x00, 0x00, 0xFF};
    QString font = QStringLiteral("Arial");
};

struct WinampPlaylist {
    QImage picture;  // "pledit.bmp"; none leaves the texture's window
    WinampPlaylistColours colours;
};

// The [Text] section of "pledit.txt"; a colour that is missing or not
// "#RRGGBB" keeps its default.
WinampPlaylistColours readWinampPlaylistColours(const QByteArray &bytes);

namespace winamp_playlist {

inline constexpr QSize MinimumSize{275, 116};
inline constexpr QSize Step{25, 29};

// The size nearest `wanted` in whole steps from the least one, within
// `maximum`.
QSize snappedSize(QSize wanted, QSize maximum);

QRect listRect(QSize size);
QRect sliderRect(QSize size);
QRect closeRect(QSize size);
QRect gripRect(QSize size);
// Where the status text stands, in the bitmap font.
QRect infoRect(QSize size);
QRect scrollUpRect(QSize size);
QRect scrollDownRect(QSize size);

// The menu buttons at the lower left and the list button at the lower right.
enum class MenuButton { Add, Remove, Select, Misc, List };
inline constexpr MenuButton MenuButtons[] = {MenuButton::Add, MenuButton::Remove, MenuButton::Select, MenuButton::Misc,
                                             MenuButton::List};
QRect menuButtonRect(MenuButton button, QSize size);

// The small transport buttons at the lower right, as the command table
// names what they do.
inline constexpr const char *TransportCommands[] = {"previous", "play", "pause", "stop", "next", "open"};
QRect transportRect(int index, QSize size);

// A pop-up menu's items, top to bottom: each a normal and a lit picture
// rectangle; the bar at their left.
struct MenuPictures {
    std::vector<QRect> items;
    std::vector<QRect> litItems;
    QRect bar;
};
MenuPictures menuPictures(MenuButton button);

// The title bar is drawn dimmed while the window is not the active one.
void paintFrame(QPainter &painter, QSize size, const QImage &picture, bool active);
void paintCloseLit(QPainter &painter, QSize size, const QImage &picture);
// The scroll knob for a list at `value` of `maximum`.
void paintSliderKnob(QPainter &painter, QSize size, const QImage &picture, int value, int maximum, bool pressed);
// The list value for the knob's middle at `y`.
int sliderValueAt(QSize size, int y, int maximum);
// `text` in the bitmap font of "text.bmp", within the info place.
void paintInfo(QPainter &painter, QSize size, const QImage &font, const QString &text);

}  // namespace winamp_playlist
