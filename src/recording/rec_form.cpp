#include "recording/rec_form.h"

#include "cd/cd_device.h"
#include "platform/dialogs.h"
#include "recording/as_form.h"
#include "recording/rec_tracks.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <tuple>

using namespace recording;

TRecForm::TRecForm(cd::CdDevice &device, TASForm &setup, platform::Dialogs &dialogs, QString tracksFolder,
                   std::function<bool()> cdMode, QWidget *parent)
    : QDialog(parent),
      CDTracks(new QListWidget(this)),
      SaveTracks(new QListWidget(this)),
      InfoLabel(new QLabel(this)),
      SummaryLabel(new QLabel(this)),
      StartButton(new QPushButton(QStringLiteral("Start"), this)),
      CloseButton(new QPushButton(QStringLiteral("Close"), this)),
      RefreshAction(new QAction(QStringLiteral("Refresh CD Tracks"), this)),
      AddAction(new QAction(QStringLiteral("Add Selected Tracks to Recorder"), this)),
      SelectAllAction(new QAction(QStringLiteral("Select All Tracks"), this)),
      DeleteAction(new QAction(QStringLiteral("Delete from Recording List"), this)),
      RenameAction(new QAction(QStringLiteral("Rename Selected Track"), this)),
      device_(device),
      setup_(setup),
      dialogs_(dialogs),
      tracksFolder_(std::move(tracksFolder)),
      cdMode_(std::move(cdMode))
{
    setWindowTitle(QStringLiteral("Ludro Recorder"));
    for (QListWidget *list : {CDTracks, SaveTracks})
        list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    addActions({RefreshAction, AddAction, SelectAllAction, DeleteAction, RenameAction});
    setContextMenuPolicy(Qt::ActionsContextMenu);

    auto *layout = new QVBoxLayout(this);
    for (const auto &[heading, info, list] : {std::tuple{QStringLiteral("Tracks on current CD"), InfoLabel, CDTracks},
                                             std::tuple{QStringLiteral("Tracks to Record"), SummaryLabel, SaveTracks}}) {
        auto *row = new QHBoxLayout;
        row->addWidget(new QLabel(heading, this));
        row->addStretch();
        row->addWidget(info);
        layout->addLayout(row);
        layout->addWidget(list);
    }
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(StartButton);
    buttons->addWidget(CloseButton);
    layout->addLayout(buttons);
    resize(400, 356);

    connect(RefreshAction, &QAction::triggered, this, &TRecForm::Refresh);
    connect(AddAction, &QAction::triggered, this, &TRecForm::Add);
    connect(SelectAllAction, &QAction::triggered, CDTracks, &QListWidget::selectAll);
    connect(DeleteAction, &QAction::triggered, this, &TRecForm::Delete);
    connect(RenameAction, &QAction::triggered, this, &TRecForm::Rename);
    connect(CDTracks, &QListWidget::itemDoubleClicked, this, &TRecForm::Add);
    connect(SaveTracks, &QListWidget::itemDoubleClicked, this, &TRecForm::Rename);
    connect(StartButton, &QPushButton::clicked, this, &TRecForm::StartClick);
    connect(CloseButton, &QPushButton::clicked, this, &QDialog::close);
}

void TRecForm::showEvent(QShowEvent *event)
{
    Refresh();
    QDialog::showEvent(event);
}

void TRecForm::Refresh()
{
    CDTracks->clear();
    SaveTracks->clear();
    if (!device_.isOpen() && !device_.open()) {
        dialogs_.error(QStringLiteral("The CD-Player is currently Busy"));
        return;
    }
    toc_ = device_.tableOfContents();
    if (toc_.hasAudio())
        CDTracks->addItems(discTrackLines(toc_, tracksFolder_));
    const int count = static_cast<int>(toc_.tracks.size());
    InfoLabel->setText(QStringLiteral("%1 Tracks").arg(count < 100 ? count : 0));
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
    const QString name = dialogs_.askText(QStringLiteral("Track Name"),
                                          QStringLiteral("Rename this Track before recording to..."),
                                          lineName(item->text()));
    if (!name.isEmpty())
        item->setText(trackLine(lineTrack(item->text()), name));
}

void TRecForm::StartClick()
{
    if (SaveTracks->count() == 0)
        return dialogs_.information(QStringLiteral("No selected songs to Record."));
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
    SummaryLabel->setText(listSummary(lines(SaveTracks), toc_));
}
