#include "jump_box.h"

#include "language/window_texts.h"
#include "playlist/playlist_model.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

JumpBox::JumpBox(const QStringList &songs, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Jump_Caption"));
    auto *layout = new QVBoxLayout(this);
    auto *caption = named(new QLabel(this), "Jump_Find");
    caption->setBuddy(&filter_);
    layout->addWidget(caption);
    layout->addWidget(&filter_);
    layout->addWidget(&list_);
    for (int i = 0; i < songs.size(); ++i) {
        auto *line = new QListWidgetItem(songs[i], &list_);
        line->setData(Qt::UserRole, i);
    }
    list_.setCurrentRow(0);
    // Up and Down in the filter move through the list, Enter chooses.
    filter_.installEventFilter(this);
    connect(&filter_, &QLineEdit::textChanged, this, &JumpBox::narrow);
    connect(&filter_, &QLineEdit::returnPressed, this, &JumpBox::choose);
    connect(&list_, &QListWidget::itemActivated, this, &JumpBox::choose);
    resize(420, 360);
}

QStringList JumpBox::linesOf(const PlaylistModel &playlist)
{
    QStringList lines;
    for (int i = 0; i < playlist.entryCount(); ++i) {
        const PlaylistEntry &entry = *playlist.entryAt(i);
        QStringList parts{entry[PlaylistEntry::Title]};
        for (const PlaylistEntry::Column column : {PlaylistEntry::Artist, PlaylistEntry::Album})
            if (const QString &text = entry[column]; !text.isEmpty() && text != QLatin1String("..."))
                parts << text;
        if (const QString file = QFileInfo(playlist.entryPath(i)).fileName(); !parts.contains(file))
            parts << file;
        lines << QStringLiteral("%1. %2").arg(i + 1).arg(parts.join(QStringLiteral(" - ")));
    }
    return lines;
}

void JumpBox::narrow(const QString &text)
{
    QListWidgetItem *first = nullptr;
    for (int i = 0; i < list_.count(); ++i) {
        QListWidgetItem *line = list_.item(i);
        const bool shown = line->text().contains(text, Qt::CaseInsensitive);
        line->setHidden(!shown);
        if (shown && !first)
            first = line;
    }
    list_.setCurrentItem(first);
}

void JumpBox::choose()
{
    const QListWidgetItem *line = list_.currentItem();
    if (!line || line->isHidden())
        return;
    chosen_ = line->data(Qt::UserRole).toInt();
    accept();
}

bool JumpBox::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &filter_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp || key == Qt::Key_PageDown) {
            QCoreApplication::sendEvent(&list_, event);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
