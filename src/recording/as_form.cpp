#include "recording/as_form.h"

#include "encoder/encoder_detection.h"
#include "encoder/progress_form.h"
#include "language/window_texts.h"
#include "platform/dialogs.h"
#include "recording/mixer_lines.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>

using namespace recording;

TASForm::TASForm(platform::Dialogs &dialogs, std::function<encoder::EncoderSetup()> encoderChoice, QString &recDest,
                 int &recInput, QWidget *parent)
    : QDialog(parent),
      RadioCompress(new QRadioButton(QStringLiteral("Compress Songs to MP3"), this)),
      RadioWave(new QRadioButton(QStringLiteral("No Compression, save as WAV."), this)),
      CheckHighest(new QCheckBox(QStringLiteral("Highest Quality"), this)),
      CheckDownmix(new QCheckBox(QStringLiteral("Downmix Stereo to Mono"), this)),
      Bitrates(new QComboBox(this)),
      InputSource(new QComboBox(this)),
      VolumeScroll(new QSlider(Qt::Horizontal, this)),
      Destination(new QLineEdit(this)),
      ButtonBrowse(new QPushButton(QStringLiteral("Browse..."), this)),
      ButtonEnc(new QPushButton(QStringLiteral("Encoder Setup"), this)),
      ButtonStart(new QPushButton(QStringLiteral("Start"), this)),
      ButtonCancel(new QPushButton(QStringLiteral("Cancel"), this)),
      ButtonHelp(new QPushButton(QStringLiteral("Help"), this)),
      Progress(new TProgressForm(this)),
      dialogs_(dialogs),
      encoderChoice_(std::move(encoderChoice)),
      recDest_(recDest),
      recInput_(recInput),
      run_(dialogs)
{
    setWindowTitle(QStringLiteral("Recorder Setup"));
    // Named by their keys in the program's message table, which may translate them.
    setObjectName(QStringLiteral("Audio_Caption"));
    const std::pair<QObject *, const char *> keys[] = {{RadioCompress, "Audio_MP3"}, {RadioWave, "Audio_WAV"},
        {CheckHighest, "Audio_HQ"}, {CheckDownmix, "Audio_Downmix"}, {ButtonBrowse, "Audio_Browse"},
        {ButtonEnc, "Audio_Encoder"}, {ButtonStart, "Audio_Start"}, {ButtonCancel, "Audio_Cancel"},
        {ButtonHelp, "Audio_Help"}};
    for (const auto &[object, key] : keys)
        object->setObjectName(QString::fromLatin1(key));
    RadioCompress->setChecked(true);
    Bitrates->addItems(encoder::bitRateNames());
    Destination->setReadOnly(true);
    VolumeScroll->setRange(0, 100);

    const auto label = [this](const char *text, const char *key) {
        return named(new QLabel(QString::fromLatin1(text), this), key);
    };
    auto *group = named(new QGroupBox(QStringLiteral("Settings"), this), "Audio_Settings");
    auto *layout = new QGridLayout(group);
    layout->addWidget(RadioCompress, 0, 0, 1, 2);
    layout->addWidget(RadioWave, 1, 0, 1, 2);
    layout->addWidget(CheckHighest, 2, 0);
    layout->addWidget(CheckDownmix, 2, 1);
    layout->addWidget(label("Bitrate", "Audio_Bitrate"), 3, 0);
    layout->addWidget(Bitrates, 3, 1, 1, 2);
    layout->addWidget(label("Input Source", "Audio_Source"), 4, 0);
    layout->addWidget(InputSource, 4, 1, 1, 2);
    layout->addWidget(label("Volume", "Audio_Volume"), 5, 0);
    layout->addWidget(VolumeScroll, 5, 1, 1, 2);
    layout->addWidget(label("Destination", "Audio_Dest"), 6, 0);
    layout->addWidget(Destination, 6, 1);
    layout->addWidget(ButtonBrowse, 6, 2);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(ButtonEnc);
    buttons->addWidget(ButtonHelp);
    buttons->addStretch();
    buttons->addWidget(ButtonStart);
    buttons->addWidget(ButtonCancel);
    auto *column = new QVBoxLayout(this);
    column->addWidget(group);
    column->addLayout(buttons);

    connect(RadioCompress, &QRadioButton::toggled, this, &TASForm::compressionClicked);
    connect(InputSource, &QComboBox::activated, this, [this](int index) {
        recInput_ = index;
        refreshVolume();
    });
    // Mixer errors are not shown: the slider keeps its position.
    connect(VolumeScroll, &QSlider::valueChanged, this, [this](int percent) {
        QString error;
        setCaptureVolume(InputSource->currentText(), percent, error);
    });
    connect(ButtonBrowse, &QPushButton::clicked, this, [this] {
        const QString folder = dialogs_.folderName(run_.texts()["Audio_Dest"], Destination->text());
        if (folder.isEmpty())
            return;
        recDest_ = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
        Destination->setText(recDest_);
    });
    connect(ButtonEnc, &QPushButton::clicked, this, &TASForm::encoderSetupRequested);
    connect(ButtonStart, &QPushButton::clicked, this, &TASForm::ButtonStartClick);
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(ButtonHelp, &QPushButton::clicked, this, &TASForm::helpRequested);

    connect(Progress, &TProgressForm::cancelRequested, &run_, &CdRip::cancel);
    connect(&run_, &CdRip::progress, this, [this](const RipProgress &p) {
        Progress->SongBar->setValue(p.song);
        Progress->TotalBar->setValue(p.total);
        Progress->EncoderBar->setValue(p.encoder);
        Progress->LineText->setText(lines_.value(p.line));
        Progress->ActionText->setText(p.action);
    });
    connect(&run_, &CdRip::finished, this, [this] {
        Progress->hide();
        ButtonStart->setEnabled(true);
        accept();
        if (!run_.notes().isEmpty())
            dialogs_.information(run_.notes().join(QLatin1Char('\n')));
    });
}

void TASForm::setRecording(const QStringList &lines, const cd::DiscSource &source, const cd::TableOfContents &toc,
                           cd::CdDevice &device)
{
    device_ = &device;
    lines_ = lines;
    source_ = source;
    toc_ = toc;
}

void TASForm::showEvent(QShowEvent *event)
{
    // RecAudioMixerChange: a change made elsewhere moves the slider.
    if (!mixerWatch_) {
        mixerWatch_ = std::make_unique<MixerWatch>();
        connect(mixerWatch_.get(), &MixerWatch::changed, this, &TASForm::refreshVolume);
    }
    if (!run_.running()) {
        Bitrates->setCurrentIndex(8);  // 128000
        compressionClicked();
        InputSource->clear();
        InputSource->addItems(inputLines());
        if (recInput_ < 0 || recInput_ >= InputSource->count())
            recInput_ = 0;
        InputSource->setCurrentIndex(recInput_);
        refreshVolume();
        Destination->setText(recDest_);
    }
    QDialog::showEvent(event);
}

void TASForm::compressionClicked()
{
    for (QWidget *w : std::initializer_list<QWidget *>{CheckHighest, CheckDownmix, Bitrates})
        w->setEnabled(RadioCompress->isChecked());
}

// The virtual line has no volume of its own: the slider is off for it.
void TASForm::refreshVolume()
{
    int percent = 0;
    QString error;
    const bool known = captureVolume(InputSource->currentText(), percent, error);
    VolumeScroll->setEnabled(known);
    if (known) {
        const QSignalBlocker quiet(VolumeScroll);
        VolumeScroll->setValue(percent);
    }
}

void TASForm::ButtonStartClick()
{
    Progress->DeviceLabel->setText(InputSource->currentText());
    const encoder::EncoderSetup choice = encoderChoice_();
    RipSettings settings{source_, toc_, Destination->text(), RadioCompress->isChecked(), choice.program,
                         choice.switches,
                         {encoder::bitRates()[static_cast<std::size_t>(std::max(0, Bitrates->currentIndex()))],
                          CheckHighest->isChecked(), CheckDownmix->isChecked()},
                         InputSource->currentText(), device_};
    const Messages &texts = run_.texts();
    if (lines_.isEmpty())
        return dialogs_.information(texts["Error_Message7"]);
    if (settings.destination.isEmpty())
        return dialogs_.information(texts["Error_Message6"]);
    if (settings.compress && encoder::resolveProgram(settings.encoder).isEmpty())
        return dialogs_.information(texts["Error_Message5"]);
    if (!QFileInfo(settings.destination).isDir())
        return dialogs_.information(QStringLiteral("The Destination %1 does not exist.").arg(settings.destination));
    Progress->reset(true);
    Progress->LineText->setText(lines_.first());
    Progress->ActionText->setText(texts["Progress_Message1"]);
    Progress->setWindowModality(Qt::ApplicationModal);
    Progress->show();
    ButtonStart->setEnabled(false);
    run_.start(lines_, settings);
}

void TASForm::applyTexts(const Messages &texts)
{
    ::applyTexts(*this, texts);
    run_.setTexts(texts);
}
