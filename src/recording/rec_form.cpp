#include "recording/rec_form.h"

#include "cd/cd_device.h"
#include "language/window_texts.h"
#include "platform/dialogs.h"
#include "recording/as_form.h"
#include "recording/rec_tracks.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
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
      HelpButton(new QPushButton(QStringLiteral("Recorder Help"), this)),
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
    // Named by their keys in the program's message table, which may translate them.
    const std::pair<QObject *, const char *> keys[] = {{HelpButton, "Recorder_Help"},
        {CloseButton, "Recorder_Close"}, {RefreshAction, "Recorder_Refresh"}, {AddAction, "Recorder_Add"},
        {SelectAllAction, "Recorder_Select"}, {DeleteAction, "Recorder_Delete"}, {RenameAction, "Recorder_Rename"}};
    for (const auto &[object, key] : keys)
        object->setObjectName(QString::fromLatin1(key));
    for (QListWidget *list : {CDTracks, SaveTracks})
        list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    addActions({RefreshAction, AddAction, SelectAllAction, DeleteAction, RenameAction});
    setContextMenuPolicy(Qt::ActionsContextMenu);

    auto *layout = new QVBoxLayout(this);
    for (const auto &[heading, key, info, list] : {std::tuple{"Tracks on current CD", "Recorder_Current", InfoLabel, CDTracks},
             std::tuple{"Tracks to Record", "Recorder_Record", SummaryLabel, SaveTracks}}) {
        auto *row = new QHBoxLayout;
        row->addWidget(named(new QLabel(QString::fromLatin1(heading), this), key));
        row->addStretch();
        info->setTextFormat(Qt::PlainText);  // holds the translated word for tracks
        row->addWidget(info);
        layout->addLayout(row);
        layout->addWidget(list);
    }
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(HelpButton);
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
    connect(HelpButton, &QPushButton::clicked, this, &TRecForm::helpRequested);
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
