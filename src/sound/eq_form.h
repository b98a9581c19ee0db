#pragma once

// The equalizer window: ten band sliders, the on/off switch, the band
// label, the setup menu and the preset list, drawn from the texture's
// equalizer picture in the Winamp equalizer layout. It only records what
// changed; the main window's timer hands the record to the decoder through
// ApplyEqualizer. It follows the texture manager's texture and window size:
// everything is placed in skin pixels and shown at that size.

#include "appearance/skin_scale.h"
#include "appearance/texture_manager.h"
#include "language/messages.h"
#include "platform/dialogs.h"
#include "sound/bmp_scroll_bar.h"
#include "sound/equalizer_bands.h"
#include "sound/preset_folder.h"

#include <QCheckBox>
#include <QListWidget>
#include <QMenu>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>

class TEQForm : public QWidget {
    Q_OBJECT

public:
    // Each of `presetsFolders` ends with "/"; presets are saved to the first.
    TEQForm(const TextureManager &textures, const QStringList &presetsFolders, platform::Dialogs &dialogs,
            QWidget *parent = nullptr);

    // The menus and the save box in the language.
    void applyTexts(const Messages &messages);

    TBMPScrollBar &trackbar(int slider) { return *trackbars_[slider]; }
    equalizer::Positions positions() const;
    void setPositions(const equalizer::Positions &positions);
    // At start: the sliders from Eq1 ... Eq12.
    void setStoredValues(const equalizer::StoredValues &values);
    equalizer::StoredValues storedValues() const { return equalizer::storedValues(positions()); }

    bool UseEqualizer() const { return useEq_->isChecked(); }
    void setUseEqualizer(bool on) { useEq_->setChecked(on); }
    QString bandLabelText() const { return label_; }
    QStringList presetNames() const;

    void switchClick();
    void Reset();
    void MoveRight();
    void MoveLeft();
    void SaveAsPreset();
    void LoadPreset(const QString &name);
    void refillPresets();
    // A new input was opened: the decoder gets the record again.
    void inputOpened();

    // What a tick of the main timer does: while something changed, the
    // record (or all zeros, then none, when switched off) goes to `send`.
    using EqualizerSink = std::function<void(const SK_EqualizerInfo *)>;
    void ApplyEqualizer(const EqualizerSink &send);
    bool EqualizerChanged = false;

    static constexpr int WindowHeight = 126;
    static constexpr int BodyWidth = 275;

signals:
    // "Equalizer Help" from the window's menu.
    void helpRequested();

protected:
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void applyTexture();
    void applyScale();
    void composeBackground();
    void buildSetupMenu();
    void sliderChanged(int slider);
    void setBandLabel(const QString &text);

    const TextureManager &textures_;
    std::shared_ptr<const TextureSet> texture_;
    QImage background_;
    QImage switchOn_;
    PresetFolder presets_;
    platform::Dialogs &dialogs_;
    std::array<TBMPScrollBar *, equalizer::SliderCount> trackbars_{};
    QCheckBox *useEq_;
    QListWidget *presetList_;
    QMenu setupMenu_;
    QMenu windowMenu_;
    QString saveCaption_, savePrompt_;
    QString label_;
    SkinScale scale_;
    bool loading_ = false;
    QPoint dragStart_;
    bool dragging_ = false;
};
