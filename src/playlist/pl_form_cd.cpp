// The playlist window's CD view: the disc's tracks, title and artist in
// place of the file list and quick search.

#include "pl_form.h"

#include <QFontMetrics>

void TPLForm::buildCdView()
{
    cdbox_.setObjectName(QStringLiteral("cdbox"));
    cdbox_.setFrameShape(QFrame::NoFrame);
    cdbox_.setSelectionMode(QAbstractItemView::SingleSelection);
    cdbox_.setContextMenuPolicy(Qt::CustomContextMenu);
    cdbox_.installEventFilter(this);
    connect(&cdbox_, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem *item) { emit cdTrackActivated(cdbox_.row(item)); });
    connect(&cdbox_, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        updateMenus();
        cdMenu_->popup(cdbox_.viewport()->mapToGlobal(at));
    });
    cdTitle_.setObjectName(QStringLiteral("CD_Title"));
    cdArtist_.setObjectName(QStringLiteral("CD_Artist"));
    for (QLineEdit *edit : {&cdTitle_, &cdArtist_})
        edit->installEventFilter(this);
    for (QWidget *w : std::initializer_list<QWidget *>{&cdbox_, &cdTitleCaption_, &cdTitle_, &cdArtistCaption_, &cdArtist_})
        w->hide();
}

void TPLForm::styleCdView(const QString &listStyle, const QString &captionStyle, const QString &editStyle)
{
    cdbox_.setStyleSheet(listStyle);
    cdTitleCaption_.setStyleSheet(captionStyle);
    cdArtistCaption_.setStyleSheet(captionStyle);
    cdTitle_.setStyleSheet(editStyle);
    cdArtist_.setStyleSheet(editStyle);
}

// Artist and title share the quick search's row, half each, as "Artist / Title".
void TPLForm::layoutCdView(const QRect &fieldRow, const QRect &list)
{
    cdbox_.setGeometry(list);
    const int half = (fieldRow.width() - 8) / 2;
    const auto place = [&fieldRow](QLabel &caption, QLineEdit &edit, int left, int width) {
        const int captionWidth = QFontMetrics(caption.font()).horizontalAdvance(caption.text()) + 6;
        caption.setGeometry(left, fieldRow.top(), captionWidth, fieldRow.height());
        edit.setGeometry(left + captionWidth, fieldRow.top(), width - captionWidth, fieldRow.height());
    };
    place(cdArtistCaption_, cdArtist_, fieldRow.left(), half);
    place(cdTitleCaption_, cdTitle_, fieldRow.left() + half + 8, fieldRow.width() - half - 8);
}

void TPLForm::setCdView(bool on)
{
    cdView_ = on;
    for (QWidget *w : std::initializer_list<QWidget *>{&cdbox_, &cdTitleCaption_, &cdTitle_, &cdArtistCaption_, &cdArtist_})
        w->setVisible(on);
    for (QWidget *w : std::initializer_list<QWidget *>{&titleView_, &quickSearchCaption_, &quickSearch_, &status_})
        w->setVisible(!on);
    for (const char *caption : {"Playlist_Edit_SelAll", "Playlist_Edit_SelNone", "Playlist_Edit_Inv"})
        action(caption)->setVisible(!on);
    for (const char *caption : {"Playlist_Edit_TrackName", "Playlist_Edit_CDDB", "Playlist_Edit_Submit"})
        action(caption)->setVisible(on);
    updateMenus();
}

void TPLForm::setCdLines(const QStringList &lines)
{
    cdbox_.clear();
    cdbox_.addItems(lines);
}

void TPLForm::setCdTitle(const QString &title)
{
    cdTitle_.setText(title);
}

void TPLForm::setCdArtist(const QString &artist)
{
    cdArtist_.setText(artist);
}

void TPLForm::selectCdLine(int index)
{
    if (index < 0 || index >= cdbox_.count())
        return;
    cdbox_.setCurrentRow(index);
    cdbox_.scrollToItem(cdbox_.currentItem());
}

int TPLForm::selectedCdLine() const
{
    const QList<QListWidgetItem *> selected = cdbox_.selectedItems();
    return selected.size() == 1 ? cdbox_.row(selected.front()) : -1;
}

// Enter plays the line under the focus mark, Esc closes the window.
bool TPLForm::cdKey(QObject *watched, int key)
{
    if (watched != &cdbox_)
        return false;
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && cdbox_.currentRow() >= 0) {
        emit cdTrackActivated(cdbox_.currentRow());
        return true;
    }
    if (key == Qt::Key_Escape) {
        close();
        return true;
    }
    return false;
}
