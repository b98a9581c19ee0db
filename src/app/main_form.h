#pragma once

// The main window: a borderless picture in the texture's shape that shows
// what the playback controller tells it and reports its buttons' clicks.
// Dragging the picture moves the window. It follows the texture manager's
// texture, in normal mode or as the compact Cool Bar.

#include "appearance/hover_animation.h"
#include "appearance/main_button.h"
#include "appearance/scaled_window.h"
#include "appearance/texture_manager.h"
#include "appearance/visualizer.h"
#include "core/playback_view.h"
#include "language/messages.h"

#include <QPoint>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <map>
#include <memory>
#include <set>

struct WinampState;

class TMainForm : public ScaledWindow, public PlaybackView {
    Q_OBJECT

public:
    explicit TMainForm(const TextureManager &textures, QWidget *parent = nullptr);

    void showTitle(const QString &text) override;
    void showScrollingTitle(const QString &text) override;
    void showTime(const QString &text) override;
    void showDuration(const QString &text) override;
    void showChannelMode(const QString &text) override;
    void showStreamNumbers(int kbps, int hertz) override;
    void showPosition(double fraction) override;
    void showPlayState(int state) override;
    void showRepeat(bool on) override;
    void showShuffle(bool on) override;
    void setApplicationTitle(const QString &text) override;
    void setStayOnTop(bool on) override;
    void focusPlaylistEntry(int index) override;
    void closeMainWindow() override;

    // Volume and balance 0 ... 100; they place their knobs.
    void showVolume(int volume);
    void showBalance(int balance);
    // With the sliders locked, pressing them does nothing.
    void setLevelSlidersLocked(bool locked) { levelSlidersLocked_ = locked; }
    bool levelSlidersLocked() const { return levelSlidersLocked_; }
    // CD mode: the volume and balance knobs are gone and the channel reads
    // "AudioCD"; leaving it brings back the title, total time, channel and
    // title hint of before.
    void setCdMode(bool on);
    bool cdMode() const { return cdMode_; }

    // Normal mode, or the Cool Bar.
    bool normalMode() const { return normalMode_; }
    void setNormalMode(bool normal);
    void ToggleMode() { setNormalMode(!normalMode_); }

    const TextureSet &texture() const { return *texture_; }
    MainButton highlightedButton() const { return highlighted_; }
    // The hover animation's frame, and whether it still runs.
    int hoverFrame() const { return hoverAnimation_.frame(); }
    bool hoverAnimating() const { return hoverAnimation_.running(); }
    QString titleText() const { return title_; }
    QString timeText() const { return time_; }
    QString durationText() const { return duration_; }
    QString channelText() const { return channelMode_; }
    // The title's width and its place in its panel (titleRestingLeft at rest).
    int titleWidth() const { return titleWidth_; }
    int titleLeft() const { return titleLeft_; }
    int titleRestingLeft() const;
    void setTitleLeft(int left);
    // Shows a button lit, as the start-up animation does.
    void lightButton(MainButton button, bool on);
    bool isLit(MainButton button) const { return lit_.count(button) > 0; }
    // The time display blinks while a song is paused.
    void setTimeShown(bool shown);

    // Hints shown when the pointer rests on an element.
    enum class Hint { Volume, Balance, Position, Title };
    void setHint(Hint element, const QString &text);
    // The buttons' hints in the language.
    void applyTexts(const Messages &messages);
    void clearHighlight() { highlight(MainButton::None); }
    QString hintAt(const QPoint &point) const;
    bool timeShown() const { return timeShown_; }
    QString scrollingTitle() const { return scrollingTitle_; }
    int positionKnobLeft() const { return positionKnobLeft_; }
    // The visualization area, where the texture has one and normal mode
    // shows it; empty otherwise.
    QRect visualizerRect() const;
    Visualizer &visualizer() { return visualizer_; }
    const Visualizer &visualizer() const { return visualizer_; }
    void updateVisualizer() { update(visualizerRect()); }

signals:
    void modeChanged(bool normal);
    void playClicked();
    void stopClicked();
    void pauseClicked();
    void loadClicked();
    void playlistClicked();
    void minimizeClicked();
    void infoClicked();
    void previousClicked();
    void rewindClicked();
    void forwardClicked();
    void nextClicked();
    void exitClicked();
    void modeClicked();
    void menuClicked();
    void equalizerClicked();
    void cdClicked();
    void audioClicked();
    void prefsClicked();
    void repeatClicked();
    void shuffleClicked();
    // A Winamp skin's browser button and options strip.
    void browserClicked();
    void optionsClicked();
    // A click on the visualization area switched it to the next mode.
    void visualizerModeChanged(Visualizer::Mode mode);
    // Any button was clicked (a MainButton), before its own signal.
    void buttonPressed(int button);
    // The position knob is held at `offset` pixels of a `trackWidth` pixel track.
    void positionDragged(int offset, int trackWidth);
    // The position knob was let go there.
    void positionReleased(int offset, int trackWidth);
    // The volume or balance knob is held at `offset` pixels of its track;
    // then it is let go.
    void volumeDragged(int offset, int trackWidth);
    void balanceDragged(int offset, int trackWidth);
    void levelKnobReleased();
    // The wheel turned `steps` notches (away from the user positive) over
    // the balance knob's track, or anywhere else on the window.
    void balanceWheeled(int steps);
    void volumeWheeled(int steps);
    // For the playlist window.
    void playlistEntryFocused(int index);
    // Files dropped on the window, full paths in the order given.
    void filesDropped(const QStringList &names);

protected:
    bool skinEvent(QEvent *event) override;
    void paintSkin(QPainter &painter, const QRect &exposed) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    enum class Drag { None, Window, PositionKnob, VolumeKnob, BalanceKnob };

    struct Captions {
        QString title, duration, channel, titleHint;
    };

    void applyTexture();
    QString hint(Hint element) const;
    QString buttonHint(MainButton button) const;
    // The window's size, shape and knob places for the texture and mode.
    void LayoutMainWindow();
    const MainLayout &layout() const { return texture_->layout.main; }
    const CoolBarLayout &coolBar() const { return texture_->layout.coolBar; }
    QRect buttonRect(MainButton button) const;
    MainButton buttonAt(QPoint point) const;
    // Repaints an element only normal mode shows; one both modes show is
    // repainted at its place, or on the whole (small) Cool Bar.
    void updateNormal(const QRect &area);
    void updateShown(const QRect &area);
    int measureTitle() const;
    QRect positionKnobRect() const;
    QRect textLine(const TextElement &element) const;
    QRect levelKnobRect(const SliderGeometry &slider, int knobLeft) const;
    void updateLevelKnob(Drag knob);
    void highlight(MainButton button);
    void emitClicked(MainButton button);
    void paintSelected(QPainter &painter, const QRect &rect, int frame = 0) const;
    void paintNormal(QPainter &painter) const;
    void paintCoolBar(QPainter &painter) const;
    void paintCounter(QPainter &painter) const;
    void paintTextureIndicators(QPainter &painter) const;
    void paintWinamp(QPainter &painter) const;
    WinampState winampState() const;
    QString winampTitle() const;
    void paintTexts(QPainter &painter) const;

    const TextureManager &textures_;
    std::shared_ptr<const TextureSet> texture_;
    QString title_;
    int titleWidth_ = 0;
    QString scrollingTitle_;
    QString time_ = "0:00";
    QString duration_ = "(0:00)";
    QString channelMode_;
    int bitRate_ = 0;
    int sampleRate_ = 0;
    int playState_ = 0;
    bool repeat_ = false;
    bool shuffle_ = false;
    // Knob places as values, and in pixels of the present texture.
    double position_ = 0;
    int volume_ = 100;
    int balance_ = 50;
    int positionKnobLeft_ = 0;
    int volumeKnobLeft_ = 0;
    int balanceKnobLeft_ = 0;
    bool levelSlidersLocked_ = false;
    int wheelAngle_ = 0;  // of a notch begun by a fine-grained wheel
    bool cdMode_ = false;
    Captions beforeCd_;
    int titleLeft_ = 3;
    std::set<MainButton> lit_;
    std::map<MainButton, QString> buttonHints_;
    QString durationHint_;
    bool timeShown_ = true;
    std::map<Hint, QString> hints_;
    QPoint dotPlace_;
    Visualizer visualizer_;

    bool normalMode_ = true;
    MainButton highlighted_ = MainButton::None;
    HoverAnimation hoverAnimation_{[this] { update(buttonRect(highlighted_)); }};
    MainButton pressed_ = MainButton::None;
    Drag drag_ = Drag::None;
    QPoint pressGlobal_;
    QPoint windowAtPress_;
    int pressX_ = 0;
    int knobAtPress_ = 0;
};
