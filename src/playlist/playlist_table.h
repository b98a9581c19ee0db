#pragma once

// The playlist as the rows of the playlist window's report list, following
// the playlist's change signals. Rows drag out as the files they name (a
// list of file addresses), so other windows can take them.

#include "playlist_model.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QFont>

#include <array>
#include <optional>

class PlaylistTable : public QAbstractTableModel {
public:
    // The columns' keys in the message table.
    static const std::array<const char *, PlaylistEntry::ColumnCount> CaptionKeys;
    static const std::array<int, PlaylistEntry::ColumnCount> DefaultWidths;

    explicit PlaylistTable(PlaylistModel &playlist, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QStringList mimeTypes() const override;
    // The local files of the rows of `indexes`, in row order; none for a
    // drag of stream addresses only.
    QMimeData *mimeData(const QModelIndexList &indexes) const override;
    Qt::DropActions supportedDragActions() const override { return Qt::CopyAction; }
    void setCaptions(const QStringList &captions);
    // The current song's text colour; none shows it as the others.
    void setCurrentColour(std::optional<QColor> colour);
    // The hint of an entry that could not be opened.
    void setUnopenableHint(const QString &hint) { unopenableHint_ = hint; }
    // The view's font, which the current song's row shows in bold.
    void setListFont(const QFont &font);

private:
    void showChange(PlaylistModel::Level level, int first, int count);

    PlaylistModel &playlist_;
    int rows_ = 0;  // as the view last learnt them
    QStringList captions_;
    std::optional<QColor> currentColour_;
    QString unopenableHint_;
    QFont listFont_;
    int boldRow_ = -1;
};
