#include "recording/rec_form.h"

#include "appearance/desktop_font.h"
#include "appearance/picture_button.h"
#include "appearance/texture_bitmap.h"
#include "appearance/theme.h"
#include "appearance/window_frame.h"
#include "cd/cd_device.h"
#include "language/window_texts.h"
#include "platform/dialogs.h"
#include "recording/as_form.h"
#include "recording/rec_tracks.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

using namespace recording;

namespace {

constexpr QSize DefaultSize{400, 356};
constexpr int Border = WindowBorder;
constexpr int BottomRoom = 30;

// Pieces of the recorder picture: the move bar across the top with the
// window's name at its left end, the button column down the left side, the
// close button.
constexpr QRect MoveBarTile{0, 160, 20, 40};
constexpr QRect MoveBarLeftEnd{20, 160, 100, 20};
constexpr QRect ColumnTile{0, 140, 60, 20};
constexpr QRect ClosePiece{20, 180, 15, 15};
constexpr int ColumnTop = Border + MoveBarTile.height();
constexpr int FacesTop = ColumnTop + 5;
constexpr int ListsLeft = Border + ColumnTile.width() + 6;
constexpr int HeaderHeight = frame_piece::HeaderStrip.height();

QString cssColor(TextureColor color)
{
    return toQColor(color).name(QColor::HexRgb);
}

QFont smallFont(bool bold)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(11);
    font.setBold(bold);
    return font;
}

void colour(QLabel *label, TextureColor color)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, toQColor(color));
    label->setPalette(palette);
}

}  // namespace

TRecForm::TRecForm(cd::CdDevice &device, TASForm &setup, platform::Dialogs &dialogs, QString tracksFolder,
                   std::function<bool()> cdMode, const TextureManager &textures, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      CDTracks(new QListWidget(this)),
      SaveTracks(new QListWidget(this)),
      InfoLabel(new QLabel(this)),
      SummaryLabel(new QLabel(this)),
      RefreshAction(new QAction(QStringLiteral("Refresh CD Tracks"), this)),
      AddAction(new QAction(QStringLiteral("Add Selected Tracks to Recorder"), this)),
      SelectAllAction(new QAction(QStringLiteral("Select All Tracks"), this)),
      DeleteAction(new QAction(QStringLiteral("Delete from Recording List"), this)),
      RenameAction(new QAction(QStringLiteral("Rename Selected Track"), this)),
      device_(device),
      setup_(setup),
      dialogs_(dialogs),
      tracksFolder_(std::move(tracksFolder)),
      cdMode_(std::move(cdMode)),
      textures_(textures)
{
    setWindowTitle(QStringLiteral("Ludro Recorder"));
    setMinimumSize(MinimumSize);
    setMaximumSize(MaximumSize);
    resize(DefaultSize);

    // The column's faces: their pieces of the recorder picture and their
    // places below the column's top.
    const std::tuple<QRect, int, QString, const char *, std::function<void()>> faces[] = {
        {{0, 0, 60, 20}, 0, RefreshAction->text(), "Recorder_Refresh", [this] { Refresh(); }},
        {{0, 20, 60, 20}, 30, AddAction->text(), "Recorder_Add", [this] { Add(); }},
        {{0, 40, 60, 20}, 50, DeleteAction->text(), "Recorder_Delete", [this] { Delete(); }},
        {{0, 60, 60, 20}, 70, RenameAction->text(), "Recorder_Rename", [this] { Rename(); }},
        {{0, 120, 60, 20}, 100, QStringLiteral("Recorder Help"), "Recorder_Help", [this] { emit helpRequested(); }},
        {{0, 80, 60, 30}, 130, QStringLiteral("Start"), nullptr, [this] { StartClick(); }},
    };
    for (const auto &[source, top, text, key, command] : faces) {
        auto *button = new PictureButton(this);
        button->setText(text);
        if (key)
            button->setObjectName(QString::fromLatin1(key));  // the message table names it
        connect(button, &QAbstractButton::clicked, this, command);
        button->move(Border, FacesTop + top);
        faces_.emplace_back(button, source);
    }
    HelpButton = faces_[4].first;
    StartButton = faces_[5].first;
    auto *close = new PictureButton(this);
    close->setText(QStringLiteral("Close"));
    close->setObjectName(QStringLiteral("Recorder_Close"));
    connect(close, &QAbstractButton::clicked, this, &QWidget::close);
    faces_.emplace_back(close, ClosePiece);
    CloseButton = close;

    const std::pair<QObject *, const char *> keys[] = {
        {RefreshAction, "Recorder_Refresh"}, {AddAction, "Recorder_Add"}, {SelectAllAction, "Recorder_Select"},
        {DeleteAction, "Recorder_Delete"},   {RenameAction, "Recorder_Rename"}};
    for (const auto &[object, key] : keys)
        object->setObjectName(QString::fromLatin1(key));
    addActions({RefreshAction, AddAction, SelectAllAction, DeleteAction, RenameAction});
    setContextMenuPolicy(Qt::ActionsContextMenu);

    headings_[0] = named(new QLabel(QStringLiteral("Tracks on current CD"), this), "Recorder_Current");
    headings_[1] = named(new QLabel(QStringLiteral("Tracks to Record"), this), "Recorder_Record");
    for (QLabel *heading : headings_)
        heading->setFont(smallFont(true));
    for (QLabel *info : {InfoLabel, SummaryLabel}) {
        info->setTextFormat(Qt::PlainText);  // holds the translated word for tracks
        info->setFont(smallFont(false));
        info->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    for (QListWidget *list : {CDTracks, SaveTracks}) {
        list->setSelectionMode(QAbstractItemView::ExtendedSelection);
        list->setFrameShape(QFrame::NoFrame);
    }

    connect(RefreshAction, &QAction::triggered, this, &TRecForm::Refresh);
    connect(AddAction, &QAction::triggered, this, &TRecForm::Add);
    connect(SelectAllAction, &QAction::triggered, CDTracks, &QListWidget::selectAll);
    connect(DeleteAction, &QAction::triggered, this, &TRecForm::Delete);
    connect(RenameAction, &QAction::triggered, this, &TRecForm::Rename);
    connect(CDTracks, &QListWidget::itemDoubleClicked, this, &TRecForm::Add);
    connect(SaveTracks, &QListWidget::itemDoubleClicked, this, &TRecForm::Rename);

    applyTexture();
    connect(&textures_, &TextureManager::textureChanged, this, &TRecForm::applyTexture);
}

// The pictures and colours are taken from the texture anew.
void TRecForm::applyTexture()
{
    texture_ = textures_.texture();
    const QImage &picture = texture_->pictures.recorder;
    for (const auto &[button, source] : faces_)
        button->setFace(picture.copy(source));
    const RecorderLayout &colours = texture_->layout.recorder;
    for (QLabel *heading : headings_)
        colour(heading, colours.headColor);
    for (QLabel *info : {InfoLabel, SummaryLabel})
        colour(info, colours.infoColor);
    const PlaylistLayout &playlist = texture_->layout.playlist;
    QFont listFont(listFace(playlist.listFont));
    listFont.setPointSize(playlist.listFontSize);
    const QString listStyle =
        QStringLiteral("QListWidget { background: %1; color: %2; selection-background-color: #1d5673;"
                       " selection-color: #ffffff; outline: 0; }"
                       "QScrollBar { background: #14181f; border: 0; width: 11px; height: 11px; }"
                       "QScrollBar::handle { background: #4a5463; border: 1px solid #07090c; min-height: 16px;"
                       " min-width: 16px; }"
                       "QScrollBar::add-line, QScrollBar::sub-line { width: 0; height: 0; }")
            .arg(cssColor(colours.tracksBackground), cssColor(colours.tracksColor));
    for (QListWidget *list : {CDTracks, SaveTracks}) {
        list->setStyleSheet(listStyle);
        list->setFont(listFont);
    }
    update();
}

// The two lists share the room right of the button column, each under its
// header strip with its heading and its count.
void TRecForm::resizeEvent(QResizeEvent *event)
{
    const int w = width(), h = height();
    faces_.back().first->move(w - Border - ClosePiece.width() - 4, Border + 3);
    const int listWidth = w - ListsLeft - Border - 6;
    const int blockHeight = (h - BottomRoom - FacesTop - 6) / 2;
    const std::pair<QListWidget *, QLabel *> blocks[] = {{CDTracks, InfoLabel}, {SaveTracks, SummaryLabel}};
    for (int i = 0; i < 2; ++i) {
        const int top = FacesTop + i * (blockHeight + 6);
        const QRect header(ListsLeft, top, listWidth, HeaderHeight);
        headings_[i]->setGeometry(header.adjusted(4, 0, -listWidth / 2, 0));
        blocks[i].second->setGeometry(header.adjusted(listWidth / 3, 0, -4, 0));
        blocks[i].first->setGeometry(ListsLeft, top + HeaderHeight, listWidth, blockHeight - HeaderHeight);
    }
    QWidget::resizeEvent(event);
}

void TRecForm::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QImage &frame = texture_->pictures.playlist;
    const QImage &recorder = texture_->pictures.recorder;
    tilePiece(painter, rect(), frame, frame_piece::Background);
    paintWindowBorders(painter, size(), frame);
    tilePiece(painter, QRect(Border, Border, width() - 2 * Border, MoveBarTile.height()), recorder, MoveBarTile);
    drawPiece(painter, QPoint(Border, Border), recorder, MoveBarLeftEnd);
    tilePiece(painter, QRect(Border, ColumnTop, ColumnTile.width(), height() - ColumnTop - Border), recorder,
              ColumnTile);
    for (const QListWidget *list : {CDTracks, SaveTracks}) {
        const QRect place = list->geometry();
        tilePiece(painter, QRect(place.left(), place.top() - HeaderHeight, place.width(), HeaderHeight), frame,
                  frame_piece::HeaderStrip);
        // A recess around the list, as around the playlist's.
        const QRect well = place.adjusted(-1, -1, 1, 1);
        painter.setPen(theme::RimDark);
        painter.drawLine(well.topLeft(), well.topRight());
        painter.drawLine(well.topLeft(), well.bottomLeft());
        painter.setPen(theme::RimLight);
        painter.drawLine(well.bottomLeft(), well.bottomRight());
        painter.drawLine(well.topRight(), well.bottomRight());
    }
    drawPiece(painter, windowGripRect(size()).topLeft(), frame, frame_piece::ResizeGrip);
}

// ---- moving and resizing: the frame, the grip and the bars ----

void TRecForm::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    const QPoint place = event->position().toPoint();
    const bool onEdge = place.x() >= width() - Border || place.y() >= height() - Border;
    drag_.start(windowGripRect(size()).contains(place) || onEdge ? WindowDrag::Kind::Resize : WindowDrag::Kind::Move,
                *this, event->globalPosition().toPoint());
}

void TRecForm::mouseMoveEvent(QMouseEvent *event)
{
    drag_.follow(*this, event->globalPosition().toPoint());
}

void TRecForm::mouseReleaseEvent(QMouseEvent *event)
{
    drag_.end();
    QWidget::mouseReleaseEvent(event);
}

// ---- the lists ----

void TRecForm::showEvent(QShowEvent *event)
{
    Refresh();
    QWidget::showEvent(event);
}

void TRecForm::Refresh()
{
    CDTracks->clear();
    SaveTracks->clear();
    if (!device_.isOpen() && !device_.open()) {
        dialogs_.error(texts_["Error_Message8"]);
        return;
    }
    toc_ = device_.tableOfContents();
    if (toc_.hasAudio())
        CDTracks->addItems(discTrackLines(toc_, tracksFolder_));
    updateSummary();
    if (!cdMode_())
        device_.close();
}

void TRecForm::Add()
{
    QStringList chosen;
    for (const QListWidgetItem *item : CDTracks->selectedItems())
        chosen << item->text();
    std::sort(chosen.begin(), chosen.end(), [](const QString &a, const QString &b) { return lineTrack(a) < lineTrack(b); });
    const QStringList before = lines(SaveTracks);
    SaveTracks->addItems(addedLines(before, chosen).mid(before.size()));
    updateSummary();
}

void TRecForm::Delete()
{
    qDeleteAll(SaveTracks->selectedItems());
    updateSummary();
}

void TRecForm::Rename()
{
    const QList<QListWidgetItem *> selected = SaveTracks->selectedItems();
    if (selected.size() != 1)
        return;
    QListWidgetItem *item = selected.first();
    const QString name = dialogs_.askText(texts_["Recorder_RenameWin"], texts_["Recorder_RenameText"],
                                          lineName(item->text()));
    if (!name.isEmpty())
        item->setText(trackLine(lineTrack(item->text()), name));
}

void TRecForm::StartClick()
{
    if (SaveTracks->count() == 0)
        return dialogs_.information(texts_["Error_Message7"]);
    setup_.setRecording(lines(SaveTracks), cd::resolveDiscSource(device_.deviceName()), toc_, device_);
    setup_.setWindowModality(Qt::ApplicationModal);
    setup_.show();
}

QStringList TRecForm::lines(const QListWidget *list) const
{
    QStringList result;
    for (int i = 0; i < list->count(); ++i)
        result << list->item(i)->text();
    return result;
}

void TRecForm::updateSummary()
{
    // Data tracks are no tracks to record.
    const int count =
        static_cast<int>(std::count_if(toc_.tracks.begin(), toc_.tracks.end(), [](const cd::CdTrack &t) { return t.audio; }));
    InfoLabel->setText(QString::number(count < 100 ? count : 0) + QLatin1Char(' ') + texts_["Recorder_Tracks"]);
    SummaryLabel->setText(listSummary(lines(SaveTracks), toc_, texts_["Recorder_Tracks"]));
}

void TRecForm::applyTexts(const Messages &texts)
{
    texts_ = texts;
    ::applyTexts(*this, texts);
    updateSummary();
}
