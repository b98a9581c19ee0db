#pragma once

// The CD recorder window: the tracks of the disc in the drive and the list
// of tracks to record, which can be renamed before recording; Start hands
// the list to the recorder setup window.

#include "cd/table_of_contents.h"
#include "language/messages.h"

#include <QDialog>

#include <functional>

class QAction;
class QLabel;
class QListWidget;
class QPushButton;
class TASForm;

namespace cd {
class CdDevice;
}
namespace platform {
class Dialogs;
}

class TRecForm : public QDialog {
    Q_OBJECT

public:
    // `cdMode` tells whether the device stays open for the player.
    TRecForm(cd::CdDevice &device, TASForm &setup, platform::Dialogs &dialogs, QString tracksFolder,
             std::function<bool()> cdMode, QWidget *parent = nullptr);

    QListWidget *CDTracks, *SaveTracks;
    QLabel *InfoLabel, *SummaryLabel;
    QPushButton *StartButton, *HelpButton, *CloseButton;
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

private:
    QStringList lines(const QListWidget *list) const;
    // The track count of the disc and the summary of the recording list.
    void updateSummary();

    cd::CdDevice &device_;
    TASForm &setup_;
    platform::Dialogs &dialogs_;
    QString tracksFolder_;
    std::function<bool()> cdMode_;
    cd::TableOfContents toc_;
    Messages texts_;
};
