// The playlist window in a Winamp skin: "pledit.bmp"'s frame around the
// list, sizes in whole steps, the button menus drawn from the picture, the
// skin's scroll bar and the status in the bitmap font. Every item runs the
// command of the window's own menus.

#include "pl_form.h"

#include "appearance/picture_menu.h"
#include "appearance/winamp_skin.h"

#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QScrollBar>
#include <QtMath>

#include <algorithm>
#include <ranges>

namespace wp = winamp_playlist;

namespace {

constexpr int SearchRowHeight = 14;

}  // namespace

const WinampPlaylist *TPLForm::skin() const
{
    const WinampSkin *winamp = texture_ ? texture_->winamp.get() : nullptr;
    return winamp && !winamp->playlist.picture.isNull() ? &winamp->playlist : nullptr;
}

void TPLForm::applySkinLook(const WinampPlaylist *look)
{
    sliderPressed_ = closePressed_ = false;
    titleView_.setVerticalScrollBarPolicy(look ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
    status_.setVisible(!look);
    table_.setCurrentColour(look ? std::optional<QColor>(look->colours.current) : std::nullopt);
    setMinimumSize(scale_.toWindow(look ? wp::MinimumSize : MinimumSize));
    setMaximumSize(scale_.toWindow(MaximumSize));
    QResizeEvent relayout(size(), size());
    resizeEvent(&relayout);
}

void TPLForm::layoutSkinned()
{
    const QRect list = wp::listRect(skinSize());
    const QRect searchRow(list.topLeft(), QSize(list.width(), SearchRowHeight));
    const int textWidth = QFontMetrics(quickSearchCaption_.font()).horizontalAdvance(quickSearchCaption_.text());
    const int captionWidth = std::min(list.width() / 3, qCeil(textWidth / scale_.factor()) + 6);
    quickSearchCaption_.setGeometry(
        scale_.toWindow(QRect(searchRow.left(), searchRow.top(), captionWidth, SearchRowHeight)));
    quickSearch_.setGeometry(scale_.toWindow(
        QRect(searchRow.left() + captionWidth, searchRow.top(), searchRow.width() - captionWidth, SearchRowHeight)));
    const QRect rows = list.adjusted(0, SearchRowHeight + 1, 0, 0);
    titleView_.setGeometry(scale_.toWindow(rows));
    layoutCdView(scale_.toWindow(searchRow), scale_.toWindow(rows));
}

void TPLForm::paintSkinned(QPainter &painter, const WinampPlaylist &look)
{
    const QSize s = skinSize();
    wp::paintFrame(painter, s, look.picture, isActiveWindow());
    painter.fillRect(wp::listRect(s), look.colours.normalBackground);
    if (closePressed_)
        wp::paintCloseLit(painter, s, look.picture);
    const QScrollBar *bar = titleView_.verticalScrollBar();
    wp::paintSliderKnob(painter, s, look.picture, bar->value(), bar->maximum(), sliderPressed_);
    wp::paintInfo(painter, s, texture_->winamp->text, status_.text());
}

void TPLForm::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::ActivationChange && skin())
        updateSkin(QRect(0, 0, skinSize().width(), wp::listRect(skinSize()).top()));
    QWidget::changeEvent(event);
}

void TPLForm::scrollListTo(int value)
{
    titleView_.verticalScrollBar()->setValue(value);
    updateSkin(wp::sliderRect(skinSize()));
}

bool TPLForm::skinPress(QMouseEvent *event)
{
    if (!skin())
        return false;
    if (event->button() != Qt::LeftButton)
        return true;
    const QPoint place = scale_.toSkin(event->position());
    const QSize s = skinSize();
    drag_.end();
    if (wp::sliderRect(s).contains(place)) {
        sliderPressed_ = true;
        scrollListTo(wp::sliderValueAt(s, place.y(), titleView_.verticalScrollBar()->maximum()));
        return true;
    }
    closePressed_ = wp::closeRect(s).contains(place);
    if (closePressed_) {
        updateSkin(wp::closeRect(s));
        return true;
    }
    const bool onButton =
        std::ranges::any_of(wp::MenuButtons,
                            [&](wp::MenuButton b) { return wp::menuButtonRect(b, s).contains(place); }) ||
        std::ranges::any_of(std::views::iota(0, 6), [&](int i) { return wp::transportRect(i, s).contains(place); }) ||
        wp::scrollUpRect(s).contains(place) || wp::scrollDownRect(s).contains(place);
    if (!onButton)
        drag_.start(wp::gripRect(s).contains(place) ? WindowDrag::Kind::Resize : WindowDrag::Kind::Move, *this,
                    event->globalPosition().toPoint());
    return true;
}

bool TPLForm::skinMove(QMouseEvent *event)
{
    if (!skin())
        return false;
    const QPoint global = event->globalPosition().toPoint();
    if (sliderPressed_)
        scrollListTo(wp::sliderValueAt(skinSize(), scale_.toSkin(event->position()).y(),
                                       titleView_.verticalScrollBar()->maximum()));
    else if (drag_.kind() == WindowDrag::Kind::Move)
        drag_.follow(*this, global);
    else if (drag_.kind() == WindowDrag::Kind::Resize)
        resize(scale_.toWindow(wp::snappedSize(scale_.toSkin(drag_.sizeAt(global)), MaximumSize)));
    return true;
}

bool TPLForm::skinRelease(QMouseEvent *event)
{
    if (!skin())
        return false;
    const bool wasHeld = sliderPressed_ || drag_.kind() != WindowDrag::Kind::None;
    const bool wasClose = closePressed_;
    sliderPressed_ = closePressed_ = false;
    drag_.end();
    update();
    const QPoint place = scale_.toSkin(event->position());
    if (event->button() != Qt::LeftButton || wasHeld)
        return true;
    if (wasClose && wp::closeRect(skinSize()).contains(place))
        close();
    else if (!wasClose)
        skinClick(place);
    return true;
}

void TPLForm::skinClick(QPoint place)
{
    const QSize s = skinSize();
    for (const wp::MenuButton button : wp::MenuButtons)
        if (wp::menuButtonRect(button, s).contains(place))
            return popUpSkinMenu(button);
    for (int i = 0; i < 6; ++i)
        if (wp::transportRect(i, s).contains(place))
            return emit transportRequested(QString::fromLatin1(wp::TransportCommands[i]));
    const int third = std::max(1, titleView_.verticalScrollBar()->pageStep() / 3);
    if (wp::scrollUpRect(s).contains(place))
        scrollListTo(titleView_.verticalScrollBar()->value() - third);
    if (wp::scrollDownRect(s).contains(place))
        scrollListTo(titleView_.verticalScrollBar()->value() + third);
}

// The items run the actions of the window's menus, so they are enabled and
// disabled alike; sorting and the options open those menus themselves.
void TPLForm::popUpSkinMenu(wp::MenuButton button)
{
    updateMenus();
    const QRect onWindow = scale_.toWindow(wp::menuButtonRect(button, skinSize()));
    const QRect place(mapToGlobal(onWindow.topLeft()), onWindow.size());
    const auto item = [this](const char *key) { return [this, key] { action(key)->trigger(); }; };
    const auto menu = [this, place](Button textMenu) {
        return [this, place, textMenu] { buttonMenus_.at(textMenu)->popup(place.topLeft()); };
    };
    std::vector<std::function<void()>> commands;
    switch (button) {
    case wp::MenuButton::Add:
        commands = {item("Playlist_Add_URL"), item("Playlist_Add_Dir"), item("Playlist_Add_File")};
        break;
    case wp::MenuButton::Remove:
        commands = {item("Playlist_Del_All"), item("Playlist_Del_NotSel"), item("Playlist_Del_Sel")};
        break;
    case wp::MenuButton::Select:
        commands = {item("Playlist_Edit_Inv"), item("Playlist_Edit_SelNone"), item("Playlist_Edit_SelAll")};
        break;
    case wp::MenuButton::Misc:
        commands = {menu(Button::Sort), [this] { click(Button::Id3Tag); }, menu(Button::Edit)};
        break;
    case wp::MenuButton::List:
        commands = {item("Playlist_Del_All"), item("Playlist_File_Save"), item("Playlist_File_Load")};
        break;
    }
    auto *popUp = new PictureMenu(skin()->picture, wp::menuPictures(button), std::move(commands), this, scale_);
    popUp->popUp(place);
}
