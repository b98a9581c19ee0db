#include "sound/eq_form.h"

#include "appearance/texture_bitmap.h"
#include "appearance/theme.h"
#include "appearance/window_frame.h"
#include "appearance/winamp_skin.h"
#include "appearance/window_title_bar.h"
#include "language/window_texts.h"

#include <QMouseEvent>
#include <QPainter>

namespace {

// Places in the Winamp equalizer layout.
constexpr QRect TitleBar{0, 0, 275, 14};
constexpr QRect CloseKey{264, 3, 9, 9};
constexpr QRect SwitchKey{14, 18, 25, 12};
constexpr QRect PresetsKey{219, 18, 44, 12};
constexpr QRect LabelArea{86, 18, 128, 12};
constexpr int BodyHeight = 116;
constexpr int FirstSliderLeft = 78, SliderSpacing = 18, SliderTop = 38;

// A stretch of the equalizer's title bar between its ends and its name.
constexpr QRect TitleTile{200, 134, 25, 14};

}  // namespace

TEQForm::TEQForm(const TextureManager &textures, const QStringList &presetsFolders, platform::Dialogs &dialogs,
                 QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), textures_(textures), presets_(presetsFolders),
      dialogs_(dialogs), useEq_(new QCheckBox(QStringLiteral("Use Eq"), this)), presetList_(new QListWidget(this))
{
    setWindowTitle(QStringLiteral("Equalizer"));
    setFixedHeight(WindowHeight);
    resize(436, WindowHeight);

    for (int i = 0; i < equalizer::SliderCount; ++i) {
        auto *bar = new TBMPScrollBar(this);
        bar->setRange(equalizer::MinPosition, equalizer::MaxPosition);
        bar->SmallChange = i == 0 ? 1 : 2;
        bar->LargeChange = 5;
        bar->OnChange = [this, i](TBMPScrollBar *) { sliderChanged(i); };
        trackbars_[i] = bar;
    }

    useEq_->setToolTip(QStringLiteral("Turn On/Off"));
    QObject::connect(useEq_, &QCheckBox::toggled, [this] {
        EqualizerChanged = true;
        update();
    });
    presetList_->setSortingEnabled(true);
    QObject::connect(presetList_, &QListWidget::itemClicked,
                     [this](QListWidgetItem *item) { LoadPreset(item->text()); });

    buildSetupMenu();
    windowMenu_.addAction(QString(), this, &TEQForm::helpRequested)->setObjectName(QStringLiteral("EQ_Help"));
    windowMenu_.addAction(QString(), [this] { close(); })->setObjectName(QStringLiteral("EQ_Close"));
    applyTexts(Messages());
    applyScale();
    QObject::connect(&textures_, &TextureManager::textureChanged, this, [this] { applyTexture(); });
    QObject::connect(&textures_, &TextureManager::windowScaleChanged, this, [this] { applyScale(); });
}

void TEQForm::applyScale()
{
    const int skinWidth = scale_.toSkin(size()).width();
    scale_ = SkinScale(textures_.windowScale());
    const QSize minimum = scale_.toWindow(QSize(BodyWidth + 100, WindowHeight));
    setFixedHeight(minimum.height());
    setMinimumWidth(minimum.width());
    resize(scale_.toWindow(QSize(skinWidth, WindowHeight)));
    for (int i = 0; i < equalizer::SliderCount; ++i)
        trackbars_[i]->move(scale_.toWindow(QRect(FirstSliderLeft + SliderSpacing * i, SliderTop, 1, 1)).topLeft());
    applyTexture();
}

// The pictures and colours are taken from the texture anew.
void TEQForm::applyTexture()
{
    texture_ = textures_.texture();
    composeBackground();
    const QImage &picture = texture_->pictures.equalizer;
    const QImage track = picture.copy(209, 164, 12, 63);
    // The thumb is placed on the track at 1x, then scaled, so it stays on
    // the skin's pixels at every size.
    QImage thumb(track.width(), 11, QImage::Format_ARGB32_Premultiplied);
    thumb.fill(Qt::transparent);
    QPainter(&thumb).drawImage(0, 0, picture.copy(0, 164, 11, 11));
    for (TBMPScrollBar *bar : trackbars_) {
        bar->setBMPTrack(scale_.atScale(track));
        bar->setBMPThumb(scale_.atScale(thumb));
    }
    // In a Winamp skin the drawer wears the playlist's colours, so the
    // window reads as one skin.
    const EqualizerLayout &layout = texture_->layout.equalizer;
    const WinampSkin *skin = texture_->winamp.get();
    const QColor text = skin ? skin->playlist.colours.normal : toQColor(layout.listColor);
    const QColor background = skin ? skin->playlist.colours.normalBackground : toQColor(layout.listBackground);
    const QColor rim = skin ? skin->playlist.colours.selectedBackground : QColor(0x07, 0x09, 0x0c);
    const QColor scrollTrack = skin ? background : QColor(0x1b, 0x20, 0x28);
    const QColor handle = skin ? rim : QColor(0x4a, 0x54, 0x63);
    useEq_->setStyleSheet(QStringLiteral("color: %1; background: transparent; font: bold %2px Arial;")
                              .arg((skin ? text : toQColor(layout.infoColor)).name(), scale_.px(11)));
    QString sheet = QStringLiteral("QListWidget { color: %1; background: %2; border: %6px solid %3; font: %7px Arial; }"
                                   "QScrollBar { background: %4; width: %8px; }"
                                   "QScrollBar::handle { background: %5; border-radius: %9px; }"
                                   "QScrollBar::add-line, QScrollBar::sub-line { height: 0; }")
                        .arg(text.name(), background.name(), rim.name(), scrollTrack.name(), handle.name(),
                             scale_.px(1), scale_.px(11), scale_.px(9), scale_.px(3));
    if (skin)
        sheet += QStringLiteral("QListWidget::item:selected { color: %1; background: %2; }")
                     .arg(skin->playlist.colours.current.name(), rim.name());
    presetList_->setStyleSheet(sheet);
    update();
}

void TEQForm::composeBackground()
{
    const QImage &picture = texture_->pictures.equalizer;
    background_ = picture.copy(0, 0, BodyWidth, BodyHeight).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&background_);
    painter.drawImage(SwitchKey.topLeft(), picture.copy(10, 119, 25, 12));
    painter.drawImage(CloseKey.topLeft(), picture.copy(0, 115, 9, 9));
    painter.drawImage(PresetsKey.topLeft(), picture.copy(224, 164, 44, 12));
    painter.drawImage(TitleBar.topLeft(), picture.copy(0, 134, 275, 14));
    switchOn_ = picture.copy(69, 119, 25, 12);
}

void TEQForm::buildSetupMenu()
{
    setupMenu_.addAction(QString(), [this] { SaveAsPreset(); })->setObjectName(QStringLiteral("EQ_Save"));
    setupMenu_.addSeparator();
    setupMenu_.addAction(QString(), [this] { Reset(); })->setObjectName(QStringLiteral("EQ_Reset"));
    setupMenu_.addAction(QString(), [this] { MoveRight(); })->setObjectName(QStringLiteral("EQ_Right"));
    setupMenu_.addAction(QString(), [this] { MoveLeft(); })->setObjectName(QStringLiteral("EQ_Left"));
}

void TEQForm::applyTexts(const Messages &messages)
{
    ::applyTexts(setupMenu_, messages);
    ::applyTexts(windowMenu_, messages);
    saveCaption_ = messages.text("EQ_Save_Caption");
    savePrompt_ = messages.text("EQ_Save_Text");
}

// ---- sliders ----

equalizer::Positions TEQForm::positions() const
{
    equalizer::Positions p{};
    for (int i = 0; i < equalizer::SliderCount; ++i)
        p[i] = trackbars_[i]->Position();
    return p;
}

// Moves made together leave the band label to the caller.
void TEQForm::setPositions(const equalizer::Positions &p)
{
    loading_ = true;
    for (int i = 0; i < equalizer::SliderCount; ++i)
        trackbars_[i]->SetPosition(p[i]);
    loading_ = false;
    EqualizerChanged = true;
}

void TEQForm::setStoredValues(const equalizer::StoredValues &values)
{
    setPositions(equalizer::fromStoredValues(values));
}

void TEQForm::sliderChanged(int slider)
{
    EqualizerChanged = true;
    if (!loading_)
        setBandLabel(equalizer::bandLabel(slider, trackbars_[slider]->Position()));
}

void TEQForm::setBandLabel(const QString &text)
{
    label_ = text;
    update(scale_.repaintArea(LabelArea));
}

// ---- commands ----

void TEQForm::switchClick()
{
    useEq_->setChecked(!useEq_->isChecked());
}

void TEQForm::Reset()
{
    setBandLabel({});
    setPositions({});
}

void TEQForm::MoveRight()
{
    setBandLabel({});
    setPositions(equalizer::movedRight(positions()));
}

void TEQForm::MoveLeft()
{
    setBandLabel({});
    setPositions(equalizer::movedLeft(positions()));
}

void TEQForm::SaveAsPreset()
{
    const QString name = dialogs_.askText(saveCaption_, savePrompt_, {});
    if (name.isEmpty())
        return;
    const QString error = presets_.save(name, positions());
    if (!error.isEmpty())
        dialogs_.error(error);
    refillPresets();
}

void TEQForm::LoadPreset(const QString &name)
{
    setBandLabel({});
    const PresetFolder::Loaded loaded = presets_.load(name);
    loading_ = true;
    for (std::size_t i = 0; i < loaded.positions.size(); ++i)
        trackbars_[i]->SetPosition(loaded.positions[i]);
    loading_ = false;
    EqualizerChanged = true;
    if (!loaded.error.isEmpty())
        dialogs_.error(loaded.error);
}

void TEQForm::refillPresets()
{
    presetList_->clear();
    presetList_->addItems(presets_.names());
}

QStringList TEQForm::presetNames() const
{
    QStringList names;
    for (int row = 0; row < presetList_->count(); ++row)
        names << presetList_->item(row)->text();
    return names;
}

void TEQForm::inputOpened()
{
    if (UseEqualizer())
        EqualizerChanged = true;
}

void TEQForm::ApplyEqualizer(const EqualizerSink &send)
{
    if (!EqualizerChanged)
        return;
    EqualizerChanged = false;
    if (!UseEqualizer()) {
        const SK_EqualizerInfo flat{};
        send(&flat);
        send(nullptr);
        return;
    }
    const SK_EqualizerInfo record = equalizer::bandRecord(positions());
    send(&record);
}

// ---- window ----

void TEQForm::showEvent(QShowEvent *event)
{
    refillPresets();
    QWidget::showEvent(event);
}

void TEQForm::resizeEvent(QResizeEvent *event)
{
    const int left = BodyWidth + 8;
    const int skinWidth = scale_.toSkin(size()).width();
    useEq_->setGeometry(scale_.toWindow(QRect(left, 18, skinWidth - left - 8, 16)));
    presetList_->setGeometry(scale_.toWindow(QRect(left, 38, skinWidth - left - 8, WindowHeight - 38 - 8)));
    QWidget::resizeEvent(event);
}

void TEQForm::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    scale_.scalePainter(painter);
    const QRect all(0, 0, scale_.toSkin(rect()).width(), WindowHeight);
    const QRect drawerTitle(BodyWidth, 0, all.width() - BodyWidth, TitleBar.height());
    if (const WinampSkin *skin = texture_->winamp.get()) {
        painter.fillRect(all, skin->playlist.colours.normalBackground);
        tilePiece(painter, drawerTitle, texture_->pictures.equalizer, TitleTile);
    } else {
        QPainterPath whole;
        whole.addRect(all);
        theme::paintMetal(painter, whole, theme::MetalTop, theme::MetalBottom);
        QPainterPath drawer;
        drawer.addRect(QRect(BodyWidth, TitleBar.height(), all.width() - BodyWidth, all.height() - TitleBar.height()));
        theme::paintRaisedEdge(painter, drawer);
        paintWindowTitleBar(painter, drawerTitle, {});
    }
    painter.drawImage(0, 0, background_);
    if (UseEqualizer())
        painter.drawImage(SwitchKey.topLeft(), switchOn_);

    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(10);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(toQColor(texture_->layout.equalizer.infoColor));
    painter.drawText(LabelArea, Qt::AlignCenter, label_);
}

void TEQForm::mousePressEvent(QMouseEvent *event)
{
    const QPoint at = scale_.toSkin(event->position());
    if (event->button() == Qt::RightButton && TitleBar.contains(at)) {
        windowMenu_.popup(event->globalPosition().toPoint());
    } else if (event->button() != Qt::LeftButton) {
        return;
    } else if (CloseKey.contains(at)) {
        close();
    } else if (SwitchKey.contains(at)) {
        switchClick();
    } else if (PresetsKey.contains(at)) {
        setupMenu_.popup(mapToGlobal(scale_.toWindow(PresetsKey).bottomLeft()));
    } else if (at.y() < TitleBar.height()) {
        dragging_ = true;
        dragStart_ = event->globalPosition().toPoint() - pos();
    }
}

void TEQForm::mouseMoveEvent(QMouseEvent *event)
{
    if (dragging_)
        move(event->globalPosition().toPoint() - dragStart_);
}

void TEQForm::mouseReleaseEvent(QMouseEvent *)
{
    dragging_ = false;
}
