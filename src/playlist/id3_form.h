#pragma once

// The tag editor: the five text fields with their limits, the sorted genre
// list, the playing stream's file information and "Save", "Clear Tag",
// "Cancel". A failed save shows the I/O error and keeps the window open;
// the file is then as it was. A file changed by another program while the
// window is open is not written.

#include "platform/dialogs.h"
#include "playlist/id3_tag.h"
#include "playlist/playlist_model.h"

#include <QComboBox>
#include <QDateTime>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QStringList>

#include <array>
#include <functional>
#include <utility>

class TID3Form : public QDialog {
public:
    TID3Form(PlaylistModel &playlist, platform::Dialogs &dialogs, QWidget *parent = nullptr);

    // Fills the window for a file and shows it modally; `row` is the
    // playlist entry's 1-based position whose columns follow, or 0.
    void OpenTagEditor(const QString &path, int row);
    // Fills without showing.
    void fill(const QString &path, int row);
    // Time, MPEG version, layer, bit rate, frequency and mode; empty clears.
    void setFileInformation(const QStringList &texts);

    void SaveClick();
    void ClearTagClick();
    void CancelClick() { reject(); }

    QLineEdit &titleEdit() { return *edits_[0]; }
    QLineEdit &artistEdit() { return *edits_[1]; }
    QLineEdit &albumEdit() { return *edits_[2]; }
    QLineEdit &yearEdit() { return *edits_[3]; }
    QLineEdit &commentEdit() { return *edits_[4]; }
    QComboBox &genreBox() { return *genre_; }
    QString fileName() const { return path_; }
    QString fileInformation(int index) const { return info_[index]->text(); }
    bool tagPresent() const { return tagPresent_; }

    // The file's tag was written or removed.
    std::function<void(const QString &path)> OnTagChanged;

private:
    Id3Tag editedTag() const;
    void showColumns(const std::optional<Id3Tag> &tag);
    bool changedOnDisk();

    PlaylistModel &playlist_;
    platform::Dialogs &dialogs_;
    std::array<QLineEdit *, 5> edits_{};
    QComboBox *genre_;
    QLabel *fileLabel_;
    std::array<QLabel *, 6> info_{};
    QString path_;
    std::pair<qint64, QDateTime> opened_;
    int row_ = 0;
    bool tagPresent_ = false;
};
