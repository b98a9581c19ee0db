#pragma once

// The playlist window: the texture's button bar and frame around the list
// `TitleView`, a quick search and the status text. It edits the one
// playlist through PlaylistCommands and only asks the main window to play
// (the pending index). Files dropped on it join the list. The list and the
// status follow the playlist's change signals, the window's own edits show
// at once, and it follows the texture manager's texture.
// While the main window plays a CD the window shows the disc instead: its
// tracks (`cdbox`, lines "N. name"), title and artist. It only shows what it
// is given and reports what the user asks for; the CD part decides.
// A Winamp skin with a "pledit.bmp" draws the window its way instead
// (pl_form_skin.cpp): frame, button menus, scroll bar and list colours,
// with the same commands.
// Everything is placed and drawn in skin pixels and shown at the texture
// manager's window size; the list's font follows it.

#include "appearance/hover_animation.h"
#include "appearance/skin_scale.h"
#include "appearance/texture_manager.h"
#include "appearance/winamp_playlist.h"
#include "appearance/window_drag.h"
#include "language/messages.h"
#include "platform/dialogs.h"
#include "playlist_commands.h"
#include "playlist_model.h"
#include "playlist_table.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QTreeView>
#include <QWidget>

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

class TPLForm : public QWidget {
    Q_OBJECT

public:
    // In skin pixels, as every place of the window.
    static constexpr QSize MinimumSize{301, 201};
    static constexpr QSize MaximumSize{799, 1023};

    TPLForm(PlaylistModel &playlist, platform::Dialogs &dialogs, const TextureManager &textures,
            QWidget *parent = nullptr);

    // The focus mark on the entry, scrolled into view.
    void focusEntry(int index);

    QTreeView &titleView() { return titleView_; }
    QLineEdit &quickSearchEdit() { return quickSearch_; }
    QString statusText() const { return status_.text(); }
    int fontSize() const { return fontSize_; }
    void setFontSize(int points);
    // The list's face, boldness and colour chosen by the user; an empty face
    // and no colour are the texture's.
    void setUserFont(const QString &face, bool bold, std::optional<QColor> colour);
    // The menu command named by this key of the message table.
    QAction *action(const QString &key) const;
    // Menus, captions, column titles and the status word in the language.
    void applyTexts(const Messages &messages);
    std::vector<char> selectedFlags() const;
    // The selected entry when exactly one is selected, else -1.
    int selectedIndex() const;
    void select(int index);
    // The list's present column widths into `columnWidths`.
    void storeColumnWidths();

    // The CD view in place of the file list, quick search and selection items.
    void setCdView(bool on);
    bool cdView() const { return cdView_; }
    void setCdLines(const QStringList &lines);
    void setCdTitle(const QString &title);
    void setCdArtist(const QString &artist);
    // The line of the track playing; one that is not there selects nothing.
    void selectCdLine(int index);
    QListWidget &cdList() { return cdbox_; }
    QLineEdit &cdTitleEdit() { return cdTitle_; }
    QLineEdit &cdArtistEdit() { return cdArtist_; }

    // Stored when the window is hidden, applied when it is shown.
    std::array<int, PlaylistEntry::ColumnCount> columnWidths = PlaylistTable::DefaultWidths;

signals:
    void id3TagRequested(int index);
    // The user made the list's font larger or smaller.
    void fontSizeChanged(int points);
    void helpRequested();
    // CD view: a track chosen (double click, Enter, the play button), the
    // title or artist left after editing, the rename and lookup items.
    void cdTrackActivated(int index);
    void cdTitleEdited(const QString &title);
    void cdArtistEdited(const QString &artist);
    void changeTrackNameRequested(int index);
    void readFromCddbRequested();
    void submitToCddbRequested();
    // A Winamp skin's small transport buttons, by the command table's name.
    void transportRequested(const QString &command);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // After every change of the list: the status text and the menus.
    void refresh();

    enum class Button { None = -1, File, Add, Delete, Play, Edit, Id3Tag, Sort, Close };

    void applyTexture();
    void applyStyle();
    void applyScale();
    void applyColumnWidths();
    // The window's size in skin pixels.
    QSize skinSize() const { return scale_.toSkin(size()); }
    void updateSkin(const QRect &skin) { update(scale_.repaintArea(skin)); }
    QRect listPlace() const;
    // The Winamp skin's playlist look, or none for the texture's.
    const WinampPlaylist *skin() const;
    // The skin's sizes, scroll bar and current-song colour; none: the texture's.
    void applySkinLook(const WinampPlaylist *skin);
    void layoutSkinned();
    void paintSkinned(QPainter &painter, const WinampPlaylist &skin);
    bool skinPress(QMouseEvent *event);
    bool skinMove(QMouseEvent *event);
    bool skinRelease(QMouseEvent *event);
    void skinClick(QPoint place);
    void popUpSkinMenu(winamp_playlist::MenuButton button);
    void scrollListTo(int value);
    void buildCdView();
    void styleCdView(const QString &listStyle, const QString &captionStyle, const QString &editStyle);
    void layoutCdView(const QRect &fieldRow, const QRect &list);
    int selectedCdLine() const;
    bool cdKey(QObject *watched, int key);
    void buildMenus();
    void updateMenus();
    QMenu *addMenu(const QString &name, const std::vector<std::pair<QString, std::function<void()>>> &items);
    static QAction *addItem(QMenu *menu, const QString &key);
    static void addSubMenu(QMenu *menu, QMenu *subMenu, const char *key);
    void run(const std::function<void()> &command);
    void click(Button button);
    Button buttonAt(QPoint place) const;
    QRect buttonRect(Button button) const;
    QRect closeRect() const;
    QRect gripRect() const;
    void paintFrame(QPainter &painter) const;
    void searchQuickly(bool play);
    void playSelected();
    void moveSelected(int step);
    void changeFontSize(int step);

    PlaylistModel &playlist_;
    platform::Dialogs &dialogs_;
    const TextureManager &textures_;
    std::shared_ptr<const TextureSet> texture_;
    PlaylistCommands commands_;
    PlaylistTable table_;
    QTreeView titleView_;
    QLabel quickSearchCaption_;
    QLineEdit quickSearch_;
    QLabel status_;
    QListWidget cdbox_;
    QLabel cdTitleCaption_;
    QLineEdit cdTitle_;
    QLabel cdArtistCaption_;
    QString songsWord_;
    QString userFace_;
    bool userBold_ = false;
    std::optional<QColor> userColour_;
    QLineEdit cdArtist_;
    QMenu *cdMenu_ = nullptr;
    bool cdView_ = false;
    std::map<Button, QMenu *> buttonMenus_;
    QMenu *listMenu_ = nullptr;
    int fontSize_;
    SkinScale scale_;
    bool widthsApplied_ = false;

    bool sliderPressed_ = false;
    bool closePressed_ = false;

    Button highlighted_ = Button::None;
    HoverAnimation hoverAnimation_{[this] { updateSkin(buttonRect(highlighted_)); }};
    WindowDrag drag_;
};
