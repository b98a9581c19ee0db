#include "encoder/conv_form.h"

#include "encoder/progress_form.h"
#include "language/window_texts.h"
#include "platform/dialogs.h"
#include "platform/dropped_files.h"
#include "platform/plain_text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>

using namespace encoder;

TConvForm::TConvForm(platform::Dialogs &dialogs, std::function<EncoderSetup()> encoderChoice, QWidget *parent)
    : QDialog(parent),
      ConvList(new QListWidget(this)),
      DestDir(new QLineEdit(this)),
      BitrateCombo(new QComboBox(this)),
      HQCheck(new QCheckBox(QStringLiteral("Highest Quality"), this)),
      MonoCheck(new QCheckBox(QStringLiteral("Downmix Stereo to Mono"), this)),
      AddButton(new QPushButton(QStringLiteral("Add..."), this)),
      RemoveButton(new QPushButton(QStringLiteral("Remove"), this)),
      ClearButton(new QPushButton(QStringLiteral("Clear"), this)),
      ExploreButton(new QPushButton(QStringLiteral("Explore"), this)),
      StartButton(new QPushButton(QStringLiteral("Start"), this)),
      CancelButton(new QPushButton(QStringLiteral("Cancel"), this)),
      HelpButton(new QPushButton(QStringLiteral("Help"), this)),
      Progress(new TProgressForm(this)),
      dialogs_(dialogs),
      encoderChoice_(std::move(encoderChoice)),
      conversion_(dialogs)
{
    setWindowTitle(QStringLiteral("File Converter (MP3 <> WAV)"));
    // Named by their keys in the program's message table, which may translate them.
    setObjectName(QStringLiteral("Converter_Caption"));
    const std::pair<QWidget *, const char *> keys[] = {{HQCheck, "Audio_HQ"}, {MonoCheck, "Audio_Downmix"},
        {AddButton, "Converter_Add"}, {RemoveButton, "Converter_Remove"}, {ClearButton, "Converter_Clear"},
        {ExploreButton, "Audio_Browse"}, {StartButton, "Audio_Start"}, {CancelButton, "Audio_Cancel"},
        {HelpButton, "Audio_Help"}};
    for (const auto &[widget, key] : keys)
        widget->setObjectName(QString::fromLatin1(key));
    ConvList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    setAcceptDrops(true);
    DestDir->setReadOnly(true);
    BitrateCombo->addItems(bitRateNames());

    auto *layout = new QGridLayout(this);
    layout->addWidget(named(new QLabel(QStringLiteral("Files to Convert"), this), "Converter_Files"), 0, 0, 1, 4);
    layout->addWidget(ConvList, 1, 0, 1, 4);
    auto *listButtons = new QHBoxLayout;
    for (QPushButton *b : {AddButton, RemoveButton, ClearButton})
        listButtons->addWidget(b);
    layout->addLayout(listButtons, 2, 0, 1, 4);
    layout->addWidget(named(new QLabel(QStringLiteral("Destination"), this), "Audio_Dest"), 3, 0);
    layout->addWidget(DestDir, 3, 1, 1, 2);
    layout->addWidget(ExploreButton, 3, 3);
    layout->addWidget(named(new QLabel(QStringLiteral("Bitrate"), this), "Audio_Bitrate"), 4, 0);
    layout->addWidget(BitrateCombo, 4, 1);
    layout->addWidget(HQCheck, 4, 2);
    layout->addWidget(MonoCheck, 4, 3);
    auto *runButtons = new QHBoxLayout;
    runButtons->addWidget(HelpButton);
    runButtons->addStretch();
    runButtons->addWidget(StartButton);
    runButtons->addWidget(CancelButton);
    layout->addLayout(runButtons, 5, 0, 1, 4);
    resize(560, 360);

    connect(AddButton, &QPushButton::clicked, this, [this] {
        addFiles(dialogs_.openFileNames(QStringLiteral("Add"), {},
            QStringLiteral("Wave and MPx Files (*.wav *.mp1 *.mp2 *.mp3)")));
    });
    connect(RemoveButton, &QPushButton::clicked, this, [this] { qDeleteAll(ConvList->selectedItems()); });
    connect(ClearButton, &QPushButton::clicked, ConvList, &QListWidget::clear);
    connect(ExploreButton, &QPushButton::clicked, this, [this] {
        const QString folder = dialogs_.folderName(QStringLiteral("Destination"), DestDir->text());
        if (!folder.isEmpty())
            DestDir->setText(folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/'));
    });
    connect(StartButton, &QPushButton::clicked, this, &TConvForm::StartClick);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::close);
    connect(HelpButton, &QPushButton::clicked, this, &TConvForm::helpRequested);

    connect(Progress, &TProgressForm::cancelRequested, &conversion_, &Conversion::cancel);
    connect(&conversion_, &Conversion::lineChanged, this, [this](int index, const QString &line, const QString &why) {
        if (QListWidgetItem *item = ConvList->item(index)) {
            item->setText(line);
            item->setToolTip(platform::plainToolTip(why));
        }
    });
    connect(&conversion_, &Conversion::progress, this, [this](const ConversionProgress &p) {
        Progress->SongBar->setValue(p.song);
        Progress->TotalBar->setValue(p.total);
        Progress->EncoderBar->setValue(p.encoder);
        Progress->LineText->setText(p.line);
        Progress->ActionText->setText(p.action);
    });
    connect(&conversion_, &Conversion::finished, this, [this] {
        Progress->reset(true);
        Progress->hide();
        StartButton->setEnabled(true);
        if (!conversion_.notes().isEmpty())
            dialogs_.information(conversion_.notes().join(QLatin1Char('\n')));
    });
}

void TConvForm::addFiles(const QStringList &paths)
{
    for (const QString &path : paths)
        ConvList->addItem(conversionLine(path));
}

// The files of a drop that the converter takes, as "Add..." offers them.
static QStringList convertibleFiles(const QMimeData &data)
{
    QStringList files;
    for (const QString &path : droppedLocalFiles(data)) {
        const QString suffix = QFileInfo(path).suffix().toLower();
        if (QFileInfo(path).isFile() && (suffix == "wav" || suffix == "mp1" || suffix == "mp2" || suffix == "mp3"))
            files << path;
    }
    return files;
}

void TConvForm::dragEnterEvent(QDragEnterEvent *event)
{
    if (!conversion_.running() && !convertibleFiles(*event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void TConvForm::dropEvent(QDropEvent *event)
{
    const QStringList files = convertibleFiles(*event->mimeData());
    if (conversion_.running() || files.isEmpty())
        return;
    event->acceptProposedAction();
    addFiles(files);
}

void TConvForm::applyTexts(const Messages &texts)
{
    ::applyTexts(*this, texts);
    conversion_.setTexts(texts);
}

void TConvForm::showEvent(QShowEvent *event)
{
    if (!conversion_.running())
        BitrateCombo->setCurrentIndex(8);  // 128000
    QDialog::showEvent(event);
}

void TConvForm::StartClick()
{
    QStringList lines;
    for (int i = 0; i < ConvList->count(); ++i)
        lines << ConvList->item(i)->text();
    const EncoderSetup choice = encoderChoice_();
    ConversionSettings settings{choice.program, choice.switches,
        {bitRates()[static_cast<std::size_t>(std::max(0, BitrateCombo->currentIndex()))], HQCheck->isChecked(),
            MonoCheck->isChecked()},
        DestDir->text(), QThread::idealThreadCount()};
    Progress->reset(false);
    Progress->setWindowModality(Qt::ApplicationModal);
    Progress->show();
    StartButton->setEnabled(false);
    if (!conversion_.start(lines, settings)) {
        Progress->hide();
        StartButton->setEnabled(true);
    }
}
