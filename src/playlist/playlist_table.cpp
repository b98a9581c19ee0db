#include "playlist_table.h"

const std::array<const char *, PlaylistEntry::ColumnCount> PlaylistTable::Captions = {
    "Title", "Nr", "Time", "Artist", "Album", "Genre", "Path", "Size (Kb)"};
const std::array<int, PlaylistEntry::ColumnCount> PlaylistTable::DefaultWidths = {205, 36, 46, 78, 83, 53, 38, 53};

PlaylistTable::PlaylistTable(PlaylistModel &playlist, QObject *parent)
    : QAbstractTableModel(parent), playlist_(playlist), rows_(playlist.entryCount())
{
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
    if (role != Qt::DisplayRole || !index.isValid() || !entry)
        return {};
    return (*entry)[static_cast<PlaylistEntry::Column>(index.column())];
}

QVariant PlaylistTable::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 ||
        section >= PlaylistEntry::ColumnCount)
        return {};
    return QString::fromLatin1(Captions[static_cast<std::size_t>(section)]);
}

void PlaylistTable::reload()
{
    if (rows_ == playlist_.entryCount()) {
        if (rows_ > 0)
            emit dataChanged(index(0, 0), index(rows_ - 1, PlaylistEntry::ColumnCount - 1));
        return;
    }
    beginResetModel();
    rows_ = playlist_.entryCount();
    endResetModel();
}
