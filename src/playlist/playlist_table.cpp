#include "playlist_table.h"

#include <QColor>
#include <QFont>
#include <QMimeData>
#include <QUrl>

#include <algorithm>
#include <set>

const std::array<const char *, PlaylistEntry::ColumnCount> PlaylistTable::CaptionKeys = {
    "ListView_Title", "ListView_Number", "ListView_Time",  "ListView_Artist",
    "ListView_Album", "ListView_Genre",  "ListView_Path", "ListView_Size"};
const std::array<int, PlaylistEntry::ColumnCount> PlaylistTable::DefaultWidths = {205, 36, 46, 78, 83, 53, 38, 53};

PlaylistTable::PlaylistTable(PlaylistModel &playlist, QObject *parent)
    : QAbstractTableModel(parent), playlist_(playlist), rows_(playlist.entryCount())
{
    connect(&playlist, &PlaylistModel::changed, this, &PlaylistTable::showChange);
    boldRow_ = playlist.currentIndex();
    connect(&playlist, &PlaylistModel::currentChanged, this, [this](int current) {
        for (const int row : {boldRow_, current})
            if (row >= 0 && row < rows_)
                emit dataChanged(index(row, 0), index(row, PlaylistEntry::ColumnCount - 1),
                                 {Qt::FontRole, Qt::ForegroundRole});
        boldRow_ = current;
    });
}

void PlaylistTable::setListFont(const QFont &font)
{
    listFont_ = font;
    if (boldRow_ >= 0 && boldRow_ < rows_)
        emit dataChanged(index(boldRow_, 0), index(boldRow_, PlaylistEntry::ColumnCount - 1), {Qt::FontRole});
}

int PlaylistTable::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : rows_;
}

int PlaylistTable::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : PlaylistEntry::ColumnCount;
}

QVariant PlaylistTable::data(const QModelIndex &index, int role) const
{
    const PlaylistEntry *entry = playlist_.entryAt(index.row());
    if (!index.isValid() || !entry)
        return {};
    // An entry that could not be opened stands out until it opens.
    if (entry->unopenable && role == Qt::ForegroundRole)
        return QColor(0xE0, 0x40, 0x40);
    if (entry->unopenable && role == Qt::ToolTipRole)
        return unopenableHint_;
    if (role == Qt::ForegroundRole && currentColour_ && index.row() == playlist_.currentIndex())
        return *currentColour_;
    // The current song stands out in the list's own font, made bold.
    if (role == Qt::FontRole && index.row() == playlist_.currentIndex()) {
        QFont font = listFont_;
        font.setBold(true);
        return font;
    }
    if (role != Qt::DisplayRole)
        return {};
    if (index.column() == PlaylistEntry::Title && !entry->shownTitle.isEmpty())
        return entry->shownTitle;
    return (*entry)[static_cast<PlaylistEntry::Column>(index.column())];
}

QVariant PlaylistTable::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 ||
        section >= PlaylistEntry::ColumnCount)
        return {};
    return captions_.value(section);
}

Qt::ItemFlags PlaylistTable::flags(const QModelIndex &index) const
{
    return QAbstractTableModel::flags(index) | (index.isValid() ? Qt::ItemIsDragEnabled : Qt::NoItemFlags);
}

QStringList PlaylistTable::mimeTypes() const
{
    return {QStringLiteral("text/uri-list")};
}

QMimeData *PlaylistTable::mimeData(const QModelIndexList &indexes) const
{
    std::set<int> rows;
    for (const QModelIndex &index : indexes)
        rows.insert(index.row());
    QList<QUrl> files;
    for (const int row : rows) {
        const QString path = playlist_.entryPath(row);
        if (!path.isEmpty() && !PlaylistModel::isNetworkEntry(path))
            files << QUrl::fromLocalFile(path);
    }
    if (files.isEmpty())
        return nullptr;
    auto *data = new QMimeData;
    data->setUrls(files);
    return data;
}

void PlaylistTable::setCurrentColour(std::optional<QColor> colour)
{
    currentColour_ = colour;
    if (rows_ > 0)
        emit dataChanged(index(0, 0), index(rows_ - 1, PlaylistEntry::ColumnCount - 1), {Qt::ForegroundRole});
}

void PlaylistTable::setCaptions(const QStringList &captions)
{
    captions_ = captions;
    emit headerDataChanged(Qt::Horizontal, 0, PlaylistEntry::ColumnCount - 1);
}

// Rows added at the end are inserted and a reordered list is laid out
// again, so the view keeps its selection and scroll place; other changes of
// the row count read the list anew.
void PlaylistTable::showChange(PlaylistModel::Level level, int first, int count)
{
    const int rows = playlist_.entryCount();
    if (level == PlaylistModel::Level::Metadata) {
        const int last = std::min(first + count, rows_) - 1;
        if (first <= last)
            emit dataChanged(index(first, 0), index(last, PlaylistEntry::ColumnCount - 1));
    } else if (rows > rows_ && first >= rows_) {
        beginInsertRows({}, rows_, rows - 1);
        rows_ = rows;
        endInsertRows();
    } else if (rows == rows_) {
        emit layoutAboutToBeChanged();
        emit layoutChanged();
    } else {
        beginResetModel();
        rows_ = rows;
        endResetModel();
    }
}
