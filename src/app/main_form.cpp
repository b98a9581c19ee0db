#include "app/main_form.h"

#include "appearance/bitmap_counter.h"
#include "appearance/position_dot.h"
#include "appearance/slider_track.h"
#include "appearance/texture_bitmap.h"
#include "appearance/winamp_skin.h"

#include "platform/dropped_files.h"
#include "platform/plain_text.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFont>
#include <QFontMetrics>
#include <QMimeData>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>
#include <utility>

namespace {

// Where a Winamp skin shows the volume and balance bars, and mono and stereo.
constexpr QRect WinampLevelBars{107, 57, 108, 14};
constexpr QRect WinampMonoStereo{213, 41, 55, 12};
constexpr QRect WinampStreamNumbers{111, 43, 55, 6};

QFont fontOf(const TextElement &element)
{
    QFont font(element.font);
    font.setBold(element.bold);
    font.setPointSize(std::max(1, element.size));
    return font;
}

// Where an element's text goes; `anchorX` is the point it is aligned to.
enum class Anchor { Left, Centre, Right };

// Empty for a hidden element or no text.
QRect textRect(const TextElement &element, const QString &text, Anchor anchor, int anchorX)
{
    if (element.left >= HiddenLeft || text.isEmpty())
        return {};
    const QFontMetrics metrics(fontOf(element));
    const int width = metrics.horizontalAdvance(text);
    const int left = anchor == Anchor::Left     ? anchorX
                     : anchor == Anchor::Centre ? anchorX - width / 2
                                                : anchorX - width;
    return {left, element.top, width + 1, metrics.height()};
}

void paintText(QPainter &painter, const TextElement &element, const QString &text, Anchor anchor, int anchorX)
{
    const QRect place = textRect(element, text, anchor, anchorX);
    if (place.isEmpty())
        return;
    painter.setFont(fontOf(element));
    painter.setPen(toQColor(element.color));
    painter.drawText(place, Qt::AlignLeft | Qt::AlignTop, text);
}

// The length text stands with its right edge here.
int lengthRight(const MainLayout &main)
{
    return main.fileLength.left + 54;
}

// The picture fills what it covers; the texture's colour shows elsewhere.
void paintBackground(QPainter &painter, const QImage &picture, const QSize &window, TextureColor color)
{
    if (picture.width() < window.width() || picture.height() < window.height())
        painter.fillRect(QRect(QPoint(0, 0), window), toQColor(color));
    painter.drawImage(0, 0, picture);
}

}  // namespace

// The band across the window where an element's text stands, wherever its
// anchor puts it.
QRect TMainForm::textLine(const TextElement &element) const
{
    return {0, element.top, skinSize().width(), QFontMetrics(fontOf(element)).height()};
}

TMainForm::TMainForm(const TextureManager &textures, QWidget *parent)
    : ScaledWindow(textures, parent, Qt::Window | Qt::FramelessWindowHint), textures_(textures)
{
    setWindowTitle("Ludro Pro");
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAcceptDrops(true);
    applyTexture();
    applyTexts(Messages());
    connect(&textures_, &TextureManager::textureChanged, this, &TMainForm::applyTexture);
}

// All that is measured or placed from the texture is taken anew; what the
// window shows stays.
void TMainForm::applyTexture()
{
    texture_ = textures_.texture();
    LayoutMainWindow();
}

void TMainForm::setNormalMode(bool normal)
{
    if (normal == normalMode_)
        return;
    normalMode_ = normal;
    LayoutMainWindow();
    emit modeChanged(normal);
}

// A texture's Cool Bar is always a rectangle, a Winamp skin's shade bar
// unless its region.txt shapes it; a texture without a shape is one too,
// and so is a shape more detailed than the window system takes.
void TMainForm::LayoutMainWindow()
{
    highlighted_ = MainButton::None;
    hoverAnimation_.stop();
    const MainLayout &main = layout();
    if (normalMode_)
        setSkinSize({main.width, main.height});
    else
        setSkinSize({coolBar().width, coolBar().height});
    setSkinMask(normalMode_ ? texture_->mainShape : texture_->coolBarShape);
    positionKnobLeft_ = SliderTrack(main.scrollerTime).knobLeftAt(position_);
    dotPlace_ = positionDotPlace(main.positionDot, position_);
    volumeKnobLeft_ = SliderTrack(main.scrollerVolume).knobLeftForPercent(volume_);
    balanceKnobLeft_ = SliderTrack(main.scrollerBalance).knobLeftForPercent(balance_);
    titleWidth_ = measureTitle();
    update();
}

QRect TMainForm::buttonRect(MainButton button) const
{
    return normalMode_ ? mainButtonRect(layout(), button) : coolBarButtonRect(coolBar(), button);
}

MainButton TMainForm::buttonAt(QPoint point) const
{
    return normalMode_ ? mainButtonAt(layout(), point) : coolBarButtonAt(coolBar(), point);
}

void TMainForm::updateNormal(const QRect &area)
{
    if (normalMode_)
        update(area);
}

void TMainForm::updateShown(const QRect &area)
{
    if (normalMode_)
        update(area);
    else
        update();
}

// Measured once per title: the title scrolls four times a second. A
// Winamp skin's title scrolls on eight blank glyphs past its end.
int TMainForm::measureTitle() const
{
    if (texture_->winamp)
        return 5 * (int(winampTitle().toUcs4().size()) + 8);
    return QFontMetrics(fontOf(layout().fileName)).horizontalAdvance(title_);
}

// A Winamp skin names the CD player instead of the disc's tracks.
QString TMainForm::winampTitle() const
{
    return cdMode_ ? QStringLiteral("CD-Player") : title_;
}

int TMainForm::titleRestingLeft() const
{
    return texture_->winamp ? 0 : 3;
}

// A song playing sends its time ten times a second: only what changed is
// drawn again, so the window costs next to nothing while it plays.

void TMainForm::showTitle(const QString &text)
{
    if (text == title_ && titleLeft_ == titleRestingLeft())
        return;
    title_ = text;
    titleWidth_ = measureTitle();
    titleLeft_ = titleRestingLeft();
    updateNormal(layout().titlePanel());
}

void TMainForm::showScrollingTitle(const QString &text)
{
    scrollingTitle_ = text;
}

void TMainForm::showTime(const QString &text)
{
    if (text == time_)
        return;
    time_ = text;
    updateShown(layout().counter);
    updateNormal(textLine(layout().filePos));
}

void TMainForm::showDuration(const QString &text)
{
    if (text == duration_)
        return;
    duration_ = text;
    updateNormal(textLine(layout().fileLength));
}

void TMainForm::showChannelMode(const QString &text)
{
    if (text == channelMode_)
        return;
    channelMode_ = text;
    updateNormal(texture_->winamp ? WinampMonoStereo : textLine(layout().monoStereo));
}

// Only a Winamp skin shows them.
void TMainForm::showStreamNumbers(int kbps, int hertz)
{
    bitRate_ = kbps;
    sampleRate_ = hertz;
    if (texture_->winamp)
        updateNormal(WinampStreamNumbers);
}

void TMainForm::showPosition(double fraction)
{
    const QRect oldKnob = positionKnobRect();
    const QRect oldDot(dotPlace_, PositionDotPictureRect.size());
    if (!normalMode_ && texture_->winamp && winampShadeKnobLeft(fraction) != winampShadeKnobLeft(position_))
        update();
    position_ = fraction;
    if (drag_ != Drag::PositionKnob)
        positionKnobLeft_ = SliderTrack(layout().scrollerTime).knobLeftAt(fraction);
    dotPlace_ = positionDotPlace(layout().positionDot, fraction);
    const QRect newDot(dotPlace_, PositionDotPictureRect.size());
    if (oldKnob != positionKnobRect())
        updateNormal(oldKnob.united(positionKnobRect()));
    if (oldDot != newDot)
        updateNormal(oldDot.united(newDot));
}

void TMainForm::showPlayState(int state)
{
    if (state == playState_)
        return;
    playState_ = state;
    updateShown(texture_->winamp ? layout().counter : QRect(layout().action, statusPictureRect(state).size()));
}

void TMainForm::showRepeat(bool on)
{
    repeat_ = on;
    updateNormal(layout().repeat);
}

void TMainForm::showShuffle(bool on)
{
    shuffle_ = on;
    updateNormal(layout().shuffle);
}

void TMainForm::setApplicationTitle(const QString &text)
{
    setWindowTitle(platform::plainWindowTitle(text));
}

void TMainForm::setStayOnTop(bool on)
{
    const bool shown = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, on);
    // Changing a window flag hides the window.
    if (shown)
        show();
}

void TMainForm::focusPlaylistEntry(int index)
{
    emit playlistEntryFocused(index);
}

void TMainForm::closeMainWindow()
{
    close();
}

void TMainForm::showVolume(int volume)
{
    const SliderGeometry &slider = layout().scrollerVolume;
    updateNormal(levelKnobRect(slider, volumeKnobLeft_));
    volume_ = volume;
    volumeKnobLeft_ = SliderTrack(slider).knobLeftForPercent(volume);
    updateNormal(levelKnobRect(slider, volumeKnobLeft_));
    if (texture_->winamp)
        updateNormal(WinampLevelBars);
}

void TMainForm::showBalance(int balance)
{
    const SliderGeometry &slider = layout().scrollerBalance;
    updateNormal(levelKnobRect(slider, balanceKnobLeft_));
    balance_ = balance;
    balanceKnobLeft_ = SliderTrack(slider).knobLeftForPercent(balance);
    updateNormal(levelKnobRect(slider, balanceKnobLeft_));
    if (texture_->winamp)
        updateNormal(WinampLevelBars);
}

void TMainForm::setCdMode(bool on)
{
    if (on == cdMode_)
        return;
    cdMode_ = on;
    if (on) {
        beforeCd_ = {title_, duration_, channelMode_, hint(Hint::Title)};
        showChannelMode(QStringLiteral("AudioCD"));
    } else {
        showChannelMode(beforeCd_.channel);
        showDuration(beforeCd_.duration);
        showTitle(beforeCd_.title);
        showScrollingTitle(beforeCd_.title + ' ' + beforeCd_.duration);
        setHint(Hint::Title, beforeCd_.titleHint);
    }
    titleWidth_ = measureTitle();
    updateNormal(layout().titlePanel());
    update(levelKnobRect(layout().scrollerVolume, volumeKnobLeft_));
    update(levelKnobRect(layout().scrollerBalance, balanceKnobLeft_));
}

QRect TMainForm::levelKnobRect(const SliderGeometry &slider, int knobLeft) const
{
    return {knobLeft, slider.top, slider.width, slider.height};
}

void TMainForm::updateLevelKnob(Drag knob)
{
    if (knob == Drag::VolumeKnob)
        update(levelKnobRect(layout().scrollerVolume, volumeKnobLeft_));
    else if (knob == Drag::BalanceKnob)
        update(levelKnobRect(layout().scrollerBalance, balanceKnobLeft_));
}

QRect TMainForm::positionKnobRect() const
{
    const SliderGeometry &time = layout().scrollerTime;
    return {positionKnobLeft_, time.top, time.width, time.height};
}

void TMainForm::paintSkin(QPainter &painter, const QRect &exposed)
{
    // The visualizer alone repaints many times a second; it covers its area.
    if (const QRect area = visualizerRect(); area.contains(exposed)) {
        visualizer_.paint(painter, area, texture_->visColors);
        return;
    }
    if (normalMode_)
        paintNormal(painter);
    else
        paintCoolBar(painter);
}

void TMainForm::paintNormal(QPainter &painter) const
{
    const TexturePictures &pictures = texture_->pictures;
    const MainLayout &main = layout();
    paintBackground(painter, pictures.main, skinSize(), main.background);

    if (highlighted_ != MainButton::None)
        paintSelected(painter, buttonRect(highlighted_), hoverAnimation_.frame());
    for (MainButton button : lit_)
        paintSelected(painter, buttonRect(button));
    if (texture_->winamp)
        paintWinamp(painter);
    else
        paintTextureIndicators(painter);
    if (main.positionDot.left() < HiddenLeft)
        drawPiece(painter, dotPlace_, pictures.status, PositionDotPictureRect);

    const QImage &positionKnob = drag_ == Drag::PositionKnob ? pictures.positionKnobPressed : pictures.positionKnob;
    painter.drawImage(positionKnobRect().topLeft(), positionKnob);
    if (!cdMode_) {
        const auto knob = [&](Drag held) { return drag_ == held ? pictures.volumeKnobPressed : pictures.volumeKnob; };
        painter.drawImage(volumeKnobLeft_, main.scrollerVolume.top, knob(Drag::VolumeKnob));
        painter.drawImage(balanceKnobLeft_, main.scrollerBalance.top, knob(Drag::BalanceKnob));
    }

    if (!texture_->winamp)
        paintTexts(painter);
    visualizer_.paint(painter, visualizerRect(), texture_->visColors);
}

QRect TMainForm::visualizerRect() const
{
    const QRect area = layout().visualizer;
    return normalMode_ && area.left() < HiddenLeft ? area : QRect();
}

void TMainForm::paintTextureIndicators(QPainter &painter) const
{
    if (repeat_)
        paintSelected(painter, layout().repeat);
    if (shuffle_)
        paintSelected(painter, layout().shuffle);
    paintCounter(painter);
    drawPiece(painter, layout().action, texture_->pictures.status, statusPictureRect(playState_));
}

WinampState TMainForm::winampState() const
{
    return {.seconds = secondsOfTimeText(time_),
            .remaining = time_.trimmed().startsWith('-'),
            .playState = playState_,
            .timeShown = timeShown_,
            .volume = volume_,
            .balance = balance_,
            .mono = channelMode_ == QLatin1String("Mono"),
            .shuffle = shuffle_,
            .repeat = repeat_,
            .title = winampTitle(),
            .position = position_,
            .bitRate = bitRate_,
            .sampleRate = sampleRate_,
            .titleLeft = titleLeft_};
}

void TMainForm::paintWinamp(QPainter &painter) const
{
    const WinampSkin &skin = *texture_->winamp;
    paintWinampIndicators(painter, skin, winampState());
    // A skin without digit pictures counts with the built-in ones.
    if (skin.numbers.isNull())
        paintCounter(painter);
}

// The compact bar: its buttons, the play state and the time as text.
void TMainForm::paintCoolBar(QPainter &painter) const
{
    const TexturePictures &pictures = texture_->pictures;
    const CoolBarLayout &bar = coolBar();
    paintBackground(painter, pictures.coolBarMain, skinSize(), layout().background);
    for (MainButton button : lit_)
        paintSelected(painter, buttonRect(button));
    if (highlighted_ != MainButton::None)
        paintSelected(painter, buttonRect(highlighted_));
    if (texture_->winamp) {
        paintWinampShade(painter, *texture_->winamp, winampState());
        return;
    }
    drawPiece(painter, bar.status, pictures.status, statusPictureRect(playState_));
    if (timeShown_)
        paintText(painter, bar.counter, time_, Anchor::Left, bar.counter.left);
}

// Lit buttons come from the mode's "selected" picture; a hover frame k lies
// k window heights further down.
void TMainForm::paintSelected(QPainter &painter, const QRect &rect, int frame) const
{
    const QImage &selected = normalMode_ ? texture_->pictures.selected : texture_->pictures.coolBarSelected;
    drawPiece(painter, rect.topLeft(), selected, rect.translated(0, frame * layout().height));
}

void TMainForm::paintCounter(QPainter &painter) const
{
    const QRect counter = layout().counter;
    if (counter.left() >= HiddenLeft || !timeShown_)
        return;
    for (const CounterDigit &digit : counterDigits(counter.size(), secondsOfTimeText(time_)))
        drawPiece(painter, counter.topLeft() + digit.target.topLeft(), texture_->pictures.numbers, digit.source);
}

void TMainForm::setHint(Hint element, const QString &text)
{
    hints_[element] = text;
}

QString TMainForm::hint(Hint element) const
{
    const auto it = hints_.find(element);
    return it == hints_.end() ? QString() : it->second;
}

void TMainForm::applyTexts(const Messages &messages)
{
    static const std::pair<MainButton, const char *> keys[] = {
        {MainButton::Play, "Hint_Play"},       {MainButton::Stop, "Hint_Stop"},
        {MainButton::Pause, "Hint_Pause"},     {MainButton::Load, "Hint_Load"},
        {MainButton::Rewind, "Hint_REW"},      {MainButton::Forward, "Hint_FFW"},
        {MainButton::Next, "Hint_Next"},       {MainButton::Previous, "Hint_Previous"},
        {MainButton::Equalizer, "Hint_EQ"},    {MainButton::Exit, "Hint_Exit"},
        {MainButton::Shuffle, "Hint_Shuffle"}, {MainButton::Repeat, "Hint_Repeat"},
        {MainButton::Playlist, "Hint_Playlist"}, {MainButton::Cd, "Hint_CD"},
        {MainButton::Mode, "Hint_Mode"},       {MainButton::Prefs, "Hint_Prefs"},
        {MainButton::Audio, "Hint_Audio"},     {MainButton::Minimize, "Hint_Mini"},
        {MainButton::Menu, "Hint_Menu"},       {MainButton::Browser, "Hint_Browser"},
        {MainButton::Options, "Hint_Prefs"}};
    for (const auto &[button, key] : keys)
        buttonHints_[button] = messages.text(key);
    durationHint_ = messages.text("Hint_Duration");
}

QString TMainForm::buttonHint(MainButton button) const
{
    const auto it = buttonHints_.find(button);
    return it == buttonHints_.end() ? QString() : it->second;
}

QString TMainForm::hintAt(const QPoint &point) const
{
    if (const MainButton button = buttonAt(point); button != MainButton::None)
        return buttonHint(button);
    if (!normalMode_) {
        const TextElement &counter = coolBar().counter;
        const bool onTime = textRect(counter, time_, Anchor::Left, counter.left).contains(point);
        return onTime ? QStringLiteral("Length ") + duration_ : QString();
    }
    const MainLayout &main = layout();
    if (textRect(main.fileLength, duration_, Anchor::Right, lengthRight(main)).contains(point))
        return durationHint_;
    if (!cdMode_ && levelKnobRect(main.scrollerVolume, volumeKnobLeft_).contains(point))
        return hint(Hint::Volume);
    if (!cdMode_ && levelKnobRect(main.scrollerBalance, balanceKnobLeft_).contains(point))
        return hint(Hint::Balance);
    if (positionKnobRect().contains(point))
        return hint(Hint::Position);
    if (main.titlePanel().contains(point))
        return hint(Hint::Title);
    return {};
}

bool TMainForm::skinEvent(QEvent *event)
{
    if (event->type() != QEvent::ToolTip)
        return ScaledWindow::skinEvent(event);
    const auto *help = static_cast<QHelpEvent *>(event);
    const QString text = hintAt(help->pos());
    if (text.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(help->globalPos(), platform::plainToolTip(text), this);
    return true;
}

void TMainForm::setTimeShown(bool shown)
{
    if (shown == timeShown_)
        return;
    timeShown_ = shown;
    updateShown(layout().counter);
}

void TMainForm::lightButton(MainButton button, bool on)
{
    if (on)
        lit_.insert(button);
    else
        lit_.erase(button);
    update(buttonRect(button));
}

void TMainForm::setTitleLeft(int left)
{
    if (left == titleLeft_)
        return;
    titleLeft_ = left;
    updateNormal(layout().titlePanel());
}

void TMainForm::paintTexts(QPainter &painter) const
{
    const MainLayout &main = layout();
    painter.save();
    const QRect panel = main.titlePanel();
    painter.setClipRect(panel);
    // The title rests 3 pixels inside its panel.
    TextElement title = main.fileName;
    title.top = panel.top();
    paintText(painter, title, title_, Anchor::Left, panel.left() + titleLeft_);
    painter.restore();

    paintText(painter, main.monoStereo, channelMode_, Anchor::Centre, main.monoStereo.left + 32);
    paintText(painter, main.fileLength, duration_, Anchor::Right, lengthRight(main));
    paintText(painter, main.filePos, time_, Anchor::Left, main.filePos.left);
}

void TMainForm::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    const QPoint point = event->position().toPoint();
    if (normalMode_ && positionKnobRect().contains(point)) {
        drag_ = Drag::PositionKnob;
        pressX_ = point.x();
        knobAtPress_ = positionKnobLeft_;
        update(positionKnobRect());
        return;
    }
    // In CD mode the knobs are not there: their place is plain window.
    const bool levels = normalMode_ && !cdMode_;
    const bool onVolume = levels && levelKnobRect(layout().scrollerVolume, volumeKnobLeft_).contains(point);
    if (onVolume || (levels && levelKnobRect(layout().scrollerBalance, balanceKnobLeft_).contains(point))) {
        if (!levelSlidersLocked_) {
            drag_ = onVolume ? Drag::VolumeKnob : Drag::BalanceKnob;
            pressX_ = point.x();
            knobAtPress_ = onVolume ? volumeKnobLeft_ : balanceKnobLeft_;
            updateLevelKnob(drag_);
        }
        return;
    }
    if (visualizerRect().contains(point)) {
        visualizer_.cycleMode();
        updateVisualizer();
        emit visualizerModeChanged(visualizer_.mode());
        return;
    }
    pressed_ = buttonAt(point);
    if (pressed_ == MainButton::None) {
        drag_ = Drag::Window;
        pressGlobal_ = event->globalPosition().toPoint();
        windowAtPress_ = pos();
    }
}

void TMainForm::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint point = event->position().toPoint();
    switch (drag_) {
    case Drag::Window:
        move(windowAtPress_ + event->globalPosition().toPoint() - pressGlobal_);
        return;
    case Drag::PositionKnob: {
        const SliderTrack track(layout().scrollerTime);
        update(positionKnobRect());
        positionKnobLeft_ = track.draggedKnobLeft(knobAtPress_, pressX_, point.x());
        update(positionKnobRect());
        emit positionDragged(track.offsetOf(positionKnobLeft_), track.length());
        return;
    }
    case Drag::VolumeKnob:
    case Drag::BalanceKnob: {
        const bool volume = drag_ == Drag::VolumeKnob;
        const SliderGeometry &slider = volume ? layout().scrollerVolume : layout().scrollerBalance;
        int &knobLeft = volume ? volumeKnobLeft_ : balanceKnobLeft_;
        const SliderTrack track(slider);
        update(levelKnobRect(slider, knobLeft));
        knobLeft = track.draggedKnobLeft(knobAtPress_, pressX_, point.x());
        update(levelKnobRect(slider, knobLeft));
        if (volume)
            emit volumeDragged(track.offsetOf(knobLeft), track.length());
        else
            emit balanceDragged(track.offsetOf(knobLeft), track.length());
        return;
    }
    case Drag::None:
        break;
    }
    const MainButton button = buttonAt(point);
    highlight(highlightsOnHover(button) ? button : MainButton::None);
}

void TMainForm::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mouseReleaseEvent(event);
    const Drag drag = std::exchange(drag_, Drag::None);
    const MainButton pressed = std::exchange(pressed_, MainButton::None);
    if (drag == Drag::PositionKnob) {
        const SliderTrack track(layout().scrollerTime);
        update(positionKnobRect());
        emit positionReleased(track.offsetOf(positionKnobLeft_), track.length());
        return;
    }
    if (drag == Drag::VolumeKnob || drag == Drag::BalanceKnob) {
        updateLevelKnob(drag);
        emit levelKnobReleased();
        return;
    }
    if (pressed != MainButton::None && buttonAt(event->position().toPoint()) == pressed)
        emitClicked(pressed);
}

// The knobs move as a drag moves them, and only where a drag could.
void TMainForm::wheelEvent(QWheelEvent *event)
{
    event->accept();
    wheelAngle_ += event->angleDelta().y();
    const int steps = wheelAngle_ / QWheelEvent::DefaultDeltasPerStep;
    wheelAngle_ %= QWheelEvent::DefaultDeltasPerStep;
    if (steps == 0 || levelSlidersLocked_ || cdMode_)
        return;
    const SliderGeometry &balance = layout().scrollerBalance;
    const QRect balanceTrack(balance.left, balance.top, balance.length + balance.width, balance.height);
    if (normalMode_ && balanceTrack.contains(event->position().toPoint()))
        emit balanceWheeled(steps);
    else
        emit volumeWheeled(steps);
}

void TMainForm::leaveEvent(QEvent *)
{
    highlight(MainButton::None);
}

void TMainForm::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TMainForm::dropEvent(QDropEvent *event)
{
    const QStringList names = droppedLocalFiles(*event->mimeData());
    if (names.isEmpty())
        return;
    event->acceptProposedAction();
    emit filesDropped(names);
}

void TMainForm::highlight(MainButton button)
{
    if (button == highlighted_)
        return;
    update(buttonRect(highlighted_));
    highlighted_ = button;
    if (button == MainButton::None)
        hoverAnimation_.stop();
    else
        hoverAnimation_.start(normalMode_ ? texture_->hoverFrames : 1);
    update(buttonRect(highlighted_));
}

void TMainForm::emitClicked(MainButton button)
{
    emit buttonPressed(static_cast<int>(button));
    switch (button) {
    case MainButton::Play:
        return emit playClicked();
    case MainButton::Stop:
        return emit stopClicked();
    case MainButton::Pause:
        return emit pauseClicked();
    case MainButton::Load:
        return emit loadClicked();
    case MainButton::Playlist:
        return emit playlistClicked();
    case MainButton::Minimize:
        return emit minimizeClicked();
    case MainButton::Info:
        return emit infoClicked();
    case MainButton::Previous:
        return emit previousClicked();
    case MainButton::Rewind:
        return emit rewindClicked();
    case MainButton::Forward:
        return emit forwardClicked();
    case MainButton::Next:
        return emit nextClicked();
    case MainButton::Exit:
        return emit exitClicked();
    case MainButton::Mode:
        return emit modeClicked();
    case MainButton::Menu:
        return emit menuClicked();
    case MainButton::Equalizer:
        return emit equalizerClicked();
    case MainButton::Cd:
        return emit cdClicked();
    case MainButton::Audio:
        return emit audioClicked();
    case MainButton::Prefs:
        return emit prefsClicked();
    case MainButton::Repeat:
        return emit repeatClicked();
    case MainButton::Shuffle:
        return emit shuffleClicked();
    case MainButton::Browser:
        return emit browserClicked();
    case MainButton::Options:
        return emit optionsClicked();
    case MainButton::None:
        return;
    }
}
