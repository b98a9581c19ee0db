#pragma once

// The CD recorder window: the tracks of the disc in the drive and the list
// of tracks to record, which can be renamed before recording; Start hands
// the list to the recorder setup window. It wears the texture: the frame of
// the secondary windows, the recorder picture's move bar, button column and
// close button, the [Recorder] colours. Dragging it moves it; the grip
// resizes it.

#include "appearance/texture_manager.h"
#include "appearance/window_drag.h"
#include "cd/table_of_contents.h"
#include "language/messages.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

class PictureButton;
class QAbstractButton;
class QAction;
class QLabel;
class QListWidget;
class TASForm;

namespace cd {
class CdDevice;
}
namespace platform {
class Dialogs;
}

class TRecForm : public QWidget {
    Q_OBJECT

public:
    static constexpr QSize MinimumSize{400, 260};
    static constexpr QSize MaximumSize{799, 1023};

    // `cdMode` tells whether the device stays open for the player.
    TRecForm(cd::CdDevice &device, TASForm &setup, platform::Dialogs &dialogs, QString tracksFolder,
             std::function<bool()> cdMode, const TextureManager &textures, QWidget *parent = nullptr);

    QListWidget *CDTracks, *SaveTracks;
    QLabel *InfoLabel, *SummaryLabel;
    QAbstractButton *StartButton, *HelpButton, *CloseButton;
    QAction *RefreshAction, *AddAction, *SelectAllAction, *DeleteAction, *RenameAction;

    void Refresh();
    void Add();
    void Delete();
    void Rename();
    void StartClick();
    void applyTexts(const Messages &texts);

signals:
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
    QStringList lines(const QListWidget *list) const;
    // The track count of the disc and the summary of the recording list.
    void updateSummary();

    cd::CdDevice &device_;
    TASForm &setup_;
    platform::Dialogs &dialogs_;
    QString tracksFolder_;
    std::function<bool()> cdMode_;
    const TextureManager &textures_;
    std::shared_ptr<const TextureSet> texture_;
    cd::TableOfContents toc_;
    Messages texts_;
    QLabel *headings_[2];
    // The column's faces and the close button, with their pieces of the
    // recorder picture; the close button last.
    std::vector<std::pair<PictureButton *, QRect>> faces_;
    WindowDrag drag_;
};
