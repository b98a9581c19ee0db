#include "pl_form.h"

#include "appearance/desktop_font.h"
#include "file_drop.h"
#include "playlist_edits.h"
#include "title_header.h"

#include "appearance/texture_bitmap.h"
#include "appearance/theme.h"
#include "appearance/window_frame.h"
#include "language/window_texts.h"

#include "platform/dropped_files.h"
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

namespace {

constexpr QSize DefaultSize{490, 340};
constexpr QPoint BarPlace{5, 5};
constexpr int BarHeight = 50;
constexpr int LitBarOffset = 95;  // lit buttons lie this far below their place
constexpr int HoverFrameHeight = 50;
constexpr int Border = WindowBorder;
constexpr int SearchTop = 62;
constexpr int ListTop = 86;
constexpr int BottomRoom = 30;

// The playlist's own close button in its picture.
const QRect CloseButton(70, 70, 15, 15);

QString cssColor(const QColor &color)
{
    return color.name(QColor::HexRgb);
}

// The button bar across the window: a wider window stretches the bar's
// empty metal before its right end, so the close button sits on the bar.
void paintBar(QPainter &painter, const QImage &picture, int room)
{
    constexpr int EndWidth = 4, FillWidth = 20;
    const int barWidth = picture.width();
    if (room <= barWidth || barWidth < EndWidth + FillWidth) {
        drawPiece(painter, BarPlace, picture, QRect(0, 0, room, BarHeight));
        return;
    }
    drawPiece(painter, BarPlace, picture, QRect(0, 0, barWidth - EndWidth, BarHeight));
    tilePiece(painter, QRect(BarPlace.x() + barWidth - EndWidth, BarPlace.y(), room - barWidth, BarHeight), picture,
              QRect(barWidth - EndWidth - FillWidth, 0, FillWidth, BarHeight));
    drawPiece(painter, BarPlace + QPoint(room - EndWidth, 0), picture,
              QRect(barWidth - EndWidth, 0, EndWidth, BarHeight));
}

}  // namespace

TPLForm::TPLForm(PlaylistModel &playlist, platform::Dialogs &dialogs, const TextureManager &textures, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), playlist_(playlist), dialogs_(dialogs),
      textures_(textures), commands_(playlist, dialogs), table_(playlist, this), titleView_(this),
      quickSearchCaption_(this), quickSearch_(this), status_(this), cdbox_(this), cdTitleCaption_(this), cdTitle_(this),
      cdArtistCaption_(this), cdArtist_(this), fontSize_(textures.texture()->layout.playlist.listFontSize),
      scale_(textures.windowScale())
{
    setWindowTitle(QStringLiteral("Playlist"));
    resize(scale_.toWindow(DefaultSize));
    setAcceptDrops(true);
    setMouseTracking(true);

    titleView_.setObjectName(QStringLiteral("TitleView"));
    titleView_.setModel(&table_);
    titleView_.setRootIsDecorated(false);
    titleView_.setUniformRowHeights(true);
    titleView_.setAllColumnsShowFocus(true);
    titleView_.setSelectionMode(QAbstractItemView::ExtendedSelection);
    titleView_.setSelectionBehavior(QAbstractItemView::SelectRows);
    titleView_.setEditTriggers(QAbstractItemView::NoEditTriggers);
    titleView_.setDragDropMode(QAbstractItemView::DragOnly);
    titleView_.setContextMenuPolicy(Qt::CustomContextMenu);
    titleView_.setFrameShape(QFrame::NoFrame);
    titleView_.installEventFilter(this);
    // A skin's scroll knob follows the list however it scrolls.
    const auto showKnob = [this] {
        if (skin())
            updateSkin(winamp_playlist::sliderRect(skinSize()));
    };
    connect(titleView_.verticalScrollBar(), &QScrollBar::valueChanged, this, showKnob);
    connect(titleView_.verticalScrollBar(), &QScrollBar::rangeChanged, this, showKnob);
    connect(&titleView_, &QTreeView::doubleClicked, this,
            [this](const QModelIndex &index) { commands_.playEntry(index.row()); });
    connect(&titleView_, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        updateMenus();
        listMenu_->popup(titleView_.viewport()->mapToGlobal(at));
    });

    quickSearch_.installEventFilter(this);
    connect(&quickSearch_, &QLineEdit::textEdited, this, [this] { searchQuickly(false); });
    status_.setTextFormat(Qt::PlainText);  // holds the translated word for songs
    status_.setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    buildCdView();

    applyTexture();
    connect(&textures_, &TextureManager::textureChanged, this, &TPLForm::applyTexture);
    connect(&textures_, &TextureManager::windowScaleChanged, this, &TPLForm::applyScale);
    buildMenus();
    quickSearchCaption_.setObjectName(QStringLiteral("Playlist_Quick"));
    cdTitleCaption_.setObjectName(QStringLiteral("Playlist_Title"));
    cdArtistCaption_.setObjectName(QStringLiteral("Playlist_Artist"));
    applyTexts(Messages());
    connect(&playlist_, &PlaylistModel::changed, this, &TPLForm::refresh);
}

void TPLForm::applyTexts(const Messages &messages)
{
    ::applyTexts(*this, messages);
    QStringList captions;
    for (const char *key : PlaylistTable::CaptionKeys)
        captions << messages.text(key);
    table_.setCaptions(captions);
    table_.setUnopenableHint(messages.text("Title_CannotOpen"));
    commands_.setFolderCaption(messages.text("Browse_Caption"));
    songsWord_ = messages.text("Playlist_Songs");
    refresh();
}

// The frame, the header and the colours are taken from the texture anew.
// The header is made again with the strip: the columns keep their widths,
// and it shows in a window already open.
void TPLForm::applyTexture()
{
    texture_ = textures_.texture();
    highlighted_ = Button::None;
    hoverAnimation_.stop();
    storeColumnWidths();
    applyStyle();
    update();
}

// Colours, fonts and sizes of the children at the window size.
void TPLForm::applyStyle()
{
    const PlaylistLayout &layout = texture_->layout.playlist;
    const WinampPlaylist *look = skin();
    QImage strip = texture_->pictures.playlist.copy(frame_piece::HeaderStrip);
    if (look) {
        strip = QImage(1, 14, QImage::Format_RGB32);
        strip.fill(look->colours.normalBackground);
    }
    auto *header = new TitleHeader(scale_.atScale(strip), look ? look->colours.normal : theme::Glyph, &titleView_);
    header->setStretchLastSection(false);
    // The captions stay in the window's own font, at the window size.
    QFont captionFont = font();
    if (captionFont.pointSizeF() > 0)
        captionFont.setPointSizeF(captionFont.pointSizeF() * scale_.factor());
    else
        captionFont.setPixelSize(qRound(captionFont.pixelSize() * scale_.factor()));
    header->setFont(captionFont);
    titleView_.setHeader(header);
    header->show();
    if (widthsApplied_)
        applyColumnWidths();
    // The CD view's list and fields look as the file list and quick search.
    const QColor listBackground = look ? look->colours.normalBackground : toQColor(layout.listBackground);
    const QColor listText = userColour_.value_or(look ? look->colours.normal : toQColor(layout.listColor));
    const QString listStyle =
        QStringLiteral("QTreeView, QListWidget { background: %1; color: %2; selection-background-color: %3;"
                       " selection-color: %4; outline: 0; }"
                       "QHeaderView { background: %1; }"
                       "QAbstractScrollArea::corner { background: %5; }"
                       "QScrollBar { background: %5; border: 0; width: %7px; height: %7px; }"
                       "QScrollBar::handle { background: %6; border: %8px solid #07090c; min-height: %9px;"
                       " min-width: %9px; }"
                       "QScrollBar::add-line, QScrollBar::sub-line { width: 0; height: 0; }")
            .arg(cssColor(listBackground), cssColor(listText),
                 look ? cssColor(look->colours.selectedBackground) : QStringLiteral("#1d5673"),
                 look ? cssColor(listText) : QStringLiteral("#ffffff"),
                 look ? cssColor(listBackground) : QStringLiteral("#14181f"),
                 look ? cssColor(look->colours.selectedBackground) : QStringLiteral("#4a5463"), scale_.px(11),
                 scale_.px(1), scale_.px(16));
    const QColor caption = look ? look->colours.normal : toQColor(layout.quickSortColor);
    const QString captionStyle = QStringLiteral("color: %1;").arg(cssColor(caption));
    const QString editStyle = QStringLiteral("QLineEdit { color: %1; background: %2; border: %4px solid %3;"
                                             " padding: 0 %5px; }")
                                  .arg(cssColor(look ? look->colours.current : toQColor(layout.quickSearchEditColor)),
                                       cssColor(look ? listBackground : toQColor(layout.quickSearchEditBackground)),
                                       look ? cssColor(look->colours.selectedBackground) : QStringLiteral("#07090c"),
                                       scale_.px(1), scale_.px(3));
    titleView_.setStyleSheet(listStyle);
    QFont listFont(listFace(userFace_.isEmpty() ? (look ? look->colours.font : layout.listFont) : userFace_));
    listFont.setBold(!userFace_.isEmpty() && userBold_);
    listFont.setPointSizeF(fontSize_ * scale_.factor());
    titleView_.setFont(listFont);
    table_.setListFont(listFont);
    cdbox_.setFont(listFont);
    QFont small(QStringLiteral("Arial"));
    small.setPixelSize(qRound(11 * scale_.factor()));
    for (QWidget *w : std::initializer_list<QWidget *>{&quickSearchCaption_, &quickSearch_, &status_, &cdTitleCaption_,
                                                       &cdTitle_, &cdArtistCaption_, &cdArtist_})
        w->setFont(small);
    quickSearchCaption_.setStyleSheet(captionStyle);
    quickSearch_.setStyleSheet(editStyle);
    styleCdView(listStyle, captionStyle, editStyle);
    status_.setStyleSheet(QStringLiteral("color: %1;").arg(cssColor(toQColor(layout.infoTextColor))));
    applySkinLook(look);
}

// ---- the list ----

void TPLForm::refresh()
{
    status_.setText(playlist_edits::statusText(playlist_, songsWord_));
    if (skin())
        updateSkin(winamp_playlist::infoRect(skinSize()));
    updateMenus();
}

void TPLForm::focusEntry(int index)
{
    playlist_.deliverChanges();  // the entry may have joined the list just now
    if (index < 0 || index >= playlist_.entryCount())
        return;
    const QModelIndex row = table_.index(index, 0);
    titleView_.selectionModel()->setCurrentIndex(row, QItemSelectionModel::NoUpdate);
    titleView_.scrollTo(row);
}

std::vector<char> TPLForm::selectedFlags() const
{
    std::vector<char> flags(static_cast<std::size_t>(playlist_.entryCount()), 0);
    for (const QModelIndex &row : titleView_.selectionModel()->selectedRows())
        if (row.row() < playlist_.entryCount())
            flags[static_cast<std::size_t>(row.row())] = 1;
    return flags;
}

int TPLForm::selectedIndex() const
{
    const QModelIndexList rows = titleView_.selectionModel()->selectedRows();
    return rows.size() == 1 ? rows.front().row() : -1;
}

void TPLForm::select(int index)
{
    playlist_.deliverChanges();
    if (index < 0 || index >= playlist_.entryCount())
        return;
    const QModelIndex row = table_.index(index, 0);
    titleView_.selectionModel()->setCurrentIndex(row, QItemSelectionModel::Select | QItemSelectionModel::Rows);
    titleView_.scrollTo(row);
}

void TPLForm::run(const std::function<void()> &command)
{
    command();
    titleView_.clearSelection();
    playlist_.deliverChanges();
    updateMenus();  // also for a command that changed only a mode
}

void TPLForm::playSelected()
{
    commands_.playEntry(selectedIndex());
}

void TPLForm::moveSelected(int step)
{
    const int index = selectedIndex();
    const int moved = step < 0 ? commands_.moveUp(index) : commands_.moveDown(index);
    if (moved < 0)
        return;
    titleView_.clearSelection();
    select(moved);
}

void TPLForm::searchQuickly(bool play)
{
    const int found = playlist_edits::quickSearch(playlist_, quickSearch_.text());
    if (found < 0)
        return;
    select(found);
    if (play)
        commands_.playEntry(found);
}

void TPLForm::changeFontSize(int step)
{
    setFontSize(fontSize_ + step);
    emit fontSizeChanged(fontSize_);
}

void TPLForm::setUserFont(const QString &face, bool bold, std::optional<QColor> colour)
{
    userFace_ = face;
    userBold_ = bold;
    userColour_ = colour;
    applyTexture();
}

void TPLForm::setFontSize(int points)
{
    fontSize_ = std::clamp(points, 1, 72);
    QFont font = titleView_.font();
    font.setPointSizeF(fontSize_ * scale_.factor());
    titleView_.setFont(font);
    table_.setListFont(font);
    cdbox_.setFont(font);
}

bool TPLForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut && watched == &cdTitle_)
        emit cdTitleEdited(cdTitle_.text());
    if (event->type() == QEvent::FocusOut && watched == &cdArtist_)
        emit cdArtistEdited(cdArtist_.text());
    // The list keeps Up and Down for moving through its songs; elsewhere
    // they are the volume keys.
    if (event->type() == QEvent::ShortcutOverride && watched == &titleView_) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            event->accept();
            return true;
        }
    }
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent *>(event)->key();
    if (cdKey(watched, key))
        return true;
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if (watched == &titleView_ && enter) {
        playSelected();
        return true;
    }
    if (watched == &titleView_ && key == Qt::Key_Escape) {
        close();
        return true;
    }
    if (watched == &quickSearch_ && enter) {
        searchQuickly(true);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

// ---- showing, hiding, layout ----

void TPLForm::showEvent(QShowEvent *event)
{
    for (int c = 0; c < PlaylistEntry::ColumnCount; ++c) {
        const std::size_t i = static_cast<std::size_t>(c);
        if (columnWidths[i] < 5)
            columnWidths[i] = PlaylistTable::DefaultWidths[i];
    }
    applyColumnWidths();
    widthsApplied_ = true;
    QWidget::showEvent(event);
}

void TPLForm::hideEvent(QHideEvent *event)
{
    storeColumnWidths();
    QWidget::hideEvent(event);
}

void TPLForm::resizeEvent(QResizeEvent *event)
{
    // A skin's window keeps to its steps, whatever size it is given. Qt sends
    // no second resize event when a window is resized from inside one, so the
    // children follow the snapped size here.
    if (skin()) {
        const QSize snapped = scale_.toWindow(winamp_playlist::snappedSize(skinSize(), MaximumSize));
        if (snapped != size())
            resize(snapped);
        layoutSkinned();
        return QWidget::resizeEvent(event);
    }
    const int w = skinSize().width();
    const int searchRight = 88 + std::min(160, w / 3);
    quickSearchCaption_.setGeometry(scale_.toWindow(QRect(12, SearchTop, 76, 18)));
    quickSearch_.setGeometry(scale_.toWindow(QRect(88, SearchTop, searchRight - 88, 18)));
    status_.setGeometry(scale_.toWindow(QRect(searchRight + 7, SearchTop, w - searchRight - 21, 18)));
    titleView_.setGeometry(scale_.toWindow(listPlace()));
    layoutCdView(scale_.toWindow(QRect(12, SearchTop, w - 24, 18)), titleView_.geometry());
    QWidget::resizeEvent(event);
}

// ---- drawing ----

QRect TPLForm::buttonRect(Button button) const
{
    const PlaylistLayout &l = texture_->layout.playlist;
    switch (button) {
    case Button::File:
        return l.file;
    case Button::Add:
        return l.add;
    case Button::Delete:
        return l.remove;
    case Button::Play:
        return l.play;
    case Button::Edit:
        return l.edit;
    case Button::Id3Tag:
        return l.id3tag;
    case Button::Sort:
        return l.sort;
    case Button::Close:
        return closeRect();
    case Button::None:
        break;
    }
    return {};
}

QRect TPLForm::closeRect() const
{
    return QRect(std::max(texture_->layout.playlist.exitMinLeft, skinSize().width() - 24), 9, 15, 15);
}

QRect TPLForm::gripRect() const
{
    return windowGripRect(skinSize());
}

QRect TPLForm::listPlace() const
{
    const QSize s = skinSize();
    return {10, ListTop, s.width() - 20, s.height() - ListTop - BottomRoom};
}

TPLForm::Button TPLForm::buttonAt(QPoint place) const
{
    for (Button b : {Button::File, Button::Add, Button::Delete, Button::Play, Button::Edit, Button::Id3Tag,
                     Button::Sort, Button::Close})
        if (buttonRect(b).contains(place))
            return b;
    return Button::None;
}

void TPLForm::paintFrame(QPainter &painter) const
{
    const QImage &picture = texture_->pictures.playlist;
    const QSize s = skinSize();
    tilePiece(painter, QRect(QPoint(), s), picture, frame_piece::Background);
    paintWindowBorders(painter, s, picture);
    paintBar(painter, picture, s.width() - 2 * Border);
    drawPiece(painter, gripRect().topLeft(), picture, frame_piece::ResizeGrip);
    drawPiece(painter, closeRect().topLeft(), picture, CloseButton);
}

void TPLForm::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    scale_.scalePainter(painter);
    if (const WinampPlaylist *look = skin())
        return paintSkinned(painter, *look);
    paintFrame(painter);
    if (highlighted_ != Button::None && highlighted_ != Button::Close) {
        const QRect place = buttonRect(highlighted_);
        const int shift = LitBarOffset + HoverFrameHeight * hoverAnimation_.frame();
        drawPiece(painter, place.topLeft(), texture_->pictures.playlist, place.translated(-BarPlace.x(), shift));
    }
    // A recess around the list, as the main window's display.
    const QRect well = listPlace().adjusted(-1, -1, 1, 1);
    painter.fillRect(well.left(), well.top(), well.width(), 1, theme::RimDark);
    painter.fillRect(well.left(), well.top(), 1, well.height(), theme::RimDark);
    painter.fillRect(well.left(), well.bottom(), well.width(), 1, theme::RimLight);
    painter.fillRect(well.right(), well.top(), 1, well.height(), theme::RimLight);
}

// ---- mouse: buttons, moving and resizing ----

void TPLForm::mousePressEvent(QMouseEvent *event)
{
    if (skinPress(event))
        return;
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    const QPoint place = scale_.toSkin(event->position());
    const QSize s = skinSize();
    using Kind = WindowDrag::Kind;
    if (buttonAt(place) != Button::None)
        drag_.end();
    else
        drag_.start(gripRect().contains(place) || place.x() >= s.width() - Border || place.y() >= s.height() - Border
                        ? Kind::Resize
                        : Kind::Move,
                    *this, event->globalPosition().toPoint());
}

void TPLForm::mouseMoveEvent(QMouseEvent *event)
{
    if (skinMove(event))
        return;
    const QPoint global = event->globalPosition().toPoint();
    if (drag_.kind() == WindowDrag::Kind::Move) {
        drag_.follow(*this, global);
        return;
    }
    if (drag_.kind() == WindowDrag::Kind::Resize) {
        const QSize size = scale_.toSkin(drag_.sizeAt(global));
        // A drag beyond the limits is ignored, not clamped.
        if (size.width() >= MinimumSize.width() && size.width() <= MaximumSize.width() &&
            size.height() >= MinimumSize.height() && size.height() <= MaximumSize.height())
            resize(scale_.toWindow(size));
        return;
    }
    const Button under = buttonAt(scale_.toSkin(event->position()));
    if (under != highlighted_) {
        highlighted_ = under;
        hoverAnimation_.start(texture_->playlistHoverFrames);
        update();
    }
}

void TPLForm::mouseReleaseEvent(QMouseEvent *event)
{
    if (skinRelease(event))
        return;
    const bool wasDrag = drag_.kind() != WindowDrag::Kind::None;
    drag_.end();
    if (event->button() == Qt::LeftButton && !wasDrag)
        click(buttonAt(scale_.toSkin(event->position())));
}

void TPLForm::leaveEvent(QEvent *event)
{
    highlighted_ = Button::None;
    hoverAnimation_.stop();
    update();
    QWidget::leaveEvent(event);
}

void TPLForm::click(Button button)
{
    if (button == Button::Close)
        return void(close());
    if (button == Button::Play && cdView_) {
        if (selectedCdLine() >= 0)
            emit cdTrackActivated(selectedCdLine());
        return;
    }
    if (button == Button::Play)
        return playSelected();
    if (button == Button::Id3Tag && !cdView_) {
        if (selectedIndex() >= 0)
            emit id3TagRequested(selectedIndex());
        return;
    }
    const auto menu = buttonMenus_.find(button);
    if (menu == buttonMenus_.end())
        return;
    updateMenus();
    menu->second->popup(mapToGlobal(scale_.toWindow(buttonRect(button)).bottomLeft()));
}

// ---- dropped files ----

// Rows dragged out of the list itself are no new files for it.
void TPLForm::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasUrls() && event->source() != &titleView_)
        event->acceptProposedAction();
}

void TPLForm::dropEvent(QDropEvent *event)
{
    const QStringList names = droppedLocalFiles(*event->mimeData());
    if (names.isEmpty())
        return;
    event->acceptProposedAction();
    const QStringList errors = file_drop::dropOnPlaylistWindow(playlist_, names);
    playlist_.deliverChanges();
    for (const QString &error : errors)
        dialogs_.error(error);
}
