// The preferences' general, output and disc-database pages, and the
// controls' states from the settings.

#include "app/prefs_form.h"

#include "appearance/desktop_font.h"
#include "cd/cddb_form.h"
#include "cd/server_list_box.h"
#include "core/output_control.h"
#include "app/plugin_host.h"
#include "language/window_texts.h"
#include "platform/dialogs.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QColor>
#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

constexpr int DefaultFontSize = 8;

// The colour form of textures: "$00BBGGRR".
QString colourText(const QColor &colour)
{
    return QStringLiteral("$00%1%2%3")
        .arg(colour.blue(), 2, 16, QLatin1Char('0'))
        .arg(colour.green(), 2, 16, QLatin1Char('0'))
        .arg(colour.red(), 2, 16, QLatin1Char('0'))
        .toUpper();
}

}  // namespace

QWidget *TPrefsForm::generalPage()
{
    auto *page = new QWidget;
    auto *group = named(new QGroupBox(page), "Prefs_Page4_Group");
    auto *grid = new QGridLayout(group);
    const std::pair<const char *, bool Settings::*> boxes[] = {
        {"Prefs_Page4_StartPlay", &Settings::startPlay}, {"Prefs_Page4_AutoScroll", &Settings::autoScroll},
        {"Prefs_Page4_Volume", &Settings::useVolume},    {"Prefs_Page4_Clear", &Settings::clearList},
        {"Prefs_Page4_ShowTime", &Settings::showTime},   {"Prefs_Page4_Multi", &Settings::multiInst},
        {"Prefs_Page4_ShowTray", &Settings::trayIcons}};
    for (const auto &[key, setting] : boxes) {
        auto *box = named(new QCheckBox(group), key);
        grid->addWidget(box, int(checks_.size()) % 4, int(checks_.size()) / 4);
        checks_.emplace_back(box, setting);
        connect(box, &QCheckBox::clicked, this, [this, setting](bool on) {
            settings_.*setting = on;
            emit generalChanged();
        });
    }

    auto *font = named(new QGroupBox(page), "Prefs_Page4_FontName");
    fontEdit_ = new QLineEdit(font);
    fontEdit_->setReadOnly(true);
    fontPreview_ = new QLabel(QStringLiteral("1. Filename.mp3"), font);
    fontPreview_->setAutoFillBackground(true);
    fontPreview_->setStyleSheet(QStringLiteral("background: black;"));
    auto *select = named(new QPushButton(font), "Prefs_Page4_FontSelect");
    auto *useDefault = named(new QPushButton(font), "Prefs_Page4_FontDef");
    connect(select, &QPushButton::clicked, this, &TPrefsForm::selectFont);
    connect(useDefault, &QPushButton::clicked, this, &TPrefsForm::useDefaultFont);
    auto *fontGrid = new QGridLayout(font);
    fontGrid->addWidget(fontEdit_, 0, 0);
    fontGrid->addWidget(select, 0, 1);
    fontGrid->addWidget(useDefault, 0, 2);
    fontGrid->addWidget(fontPreview_, 1, 0, 1, 3);

    auto *layout = new QVBoxLayout(page);
    layout->addWidget(group);
    layout->addWidget(font);
    layout->addStretch();
    return page;
}

// The font box, then the colour box starting from white.
void TPrefsForm::selectFont()
{
    const std::optional<QFont> font = parts_.dialogs.chooseFont(fontPreview_->font());
    if (!font)
        return;
    const QColor colour = parts_.dialogs.chooseColor(Qt::white).value_or(Qt::white);
    settings_.fontName = font->family();
    settings_.fontSize = font->pointSize() > 0 ? font->pointSize() : DefaultFontSize;
    settings_.fontStyle = font->bold() && !font->italic() && !font->underline() && !font->strikeOut();
    settings_.fontColor = colourText(colour);
    fontRequest_ = ChosenFont;
    showFont();
    fontPreview_->setStyleSheet(QStringLiteral("background: black; color: %1;").arg(colour.name()));
    fontPreview_->show();
}

void TPrefsForm::useDefaultFont()
{
    settings_.fontName.clear();
    settings_.fontSize = DefaultFontSize;
    settings_.fontStyle = false;
    settings_.fontColor = colourText(Qt::white);
    fontRequest_ = DefaultFont;
    showFont();
}

void TPrefsForm::showFont()
{
    fontEdit_->setText(listFace(settings_.fontName));
    QFont font(listFace(settings_.fontName), settings_.fontSize);
    font.setBold(settings_.fontStyle);
    fontPreview_->setFont(font);
    fontPreview_->setVisible(!settings_.fontName.isEmpty());
}

QWidget *TPrefsForm::outputPage()
{
    auto *page = new QWidget;
    auto *channels = named(new QGroupBox(page), "Prefs_Page5_Channels");
    auto *channelGrid = new QGridLayout(channels);
    const char *const keys[] = {"Prefs_Page5_Stereo", "Prefs_Page5_MonoL", "Prefs_Page5_MonoR", "Prefs_Page5_Mix"};
    for (int mode = 0; mode < 4; ++mode) {
        channels_[mode] = named(new QRadioButton(channels), keys[mode]);
        channelGrid->addWidget(channels_[mode], mode, 0);
        connect(channels_[mode], &QRadioButton::clicked, this, [this, mode] {
            settings_.playMode = mode;
            parts_.output.requestChannels(mode);
        });
    }
    auto *note = named(new QLabel(channels), "Prefs_Page5_Info");
    note->setWordWrap(true);
    channelGrid->addWidget(note, 0, 1, 4, 1);

    auto *device = named(new QGroupBox(page), "Prefs_Page5_Device");
    wave_ = named(new QRadioButton(device), "Prefs_Page5_WaveOutput");
    directSound_ = named(new QRadioButton(device), "Prefs_Page5_DSOutput");
    connect(wave_, &QRadioButton::clicked, this, [this] { chooseDevice(false); });
    connect(directSound_, &QRadioButton::clicked, this, [this] { chooseDevice(true); });
    auto *pitch = named(new QPushButton(device), "Prefs_Page5_PitchControl");
    connect(pitch, &QPushButton::clicked, this, &TPrefsForm::pitchControlClicked);
    auto *deviceGrid = new QGridLayout(device);
    deviceGrid->addWidget(wave_, 0, 0);
    deviceGrid->addWidget(directSound_, 1, 0);
    deviceGrid->addWidget(pitch, 0, 1);
    deviceGrid->addWidget(named(new QLabel(device), "Prefs_Page5_DS"), 1, 1);

    auto *general = named(new QGroupBox(page), "Prefs_Page5_General");
    plugins_ = new QListWidget(general);
    auto *configure = named(new QPushButton(general), "Prefs_Page5_ConfGeneral");
    connect(configure, &QPushButton::clicked, this, [this] {
        if (plugins_->currentRow() >= 0)
            parts_.plugins.configure(plugins_->currentRow());
    });
    auto *generalRow = new QHBoxLayout(general);
    generalRow->addWidget(plugins_);
    generalRow->addWidget(configure, 0, Qt::AlignTop);

    auto *layout = new QVBoxLayout(page);
    layout->addWidget(channels);
    layout->addWidget(device);
    layout->addWidget(general);
    return page;
}

void TPrefsForm::chooseDevice(bool directSound)
{
    settings_.directSound = directSound;
    parts_.output.requestDevice(directSound);
    emit deviceChosen();
}

QWidget *TPrefsForm::cddbPage()
{
    auto *page = new QWidget;
    useCddb_ = named(new QCheckBox(page), "Prefs_Page6_UseCDDB");
    server_ = new QLineEdit(page);
    email_ = new QLineEdit(page);
    servers_ = new cd::TServerListBox(parts_.cddb, page);
    connect(useCddb_, &QCheckBox::clicked, this, [this](bool on) {
        settings_.cddbEnabled = on;
        parts_.cddb.setCddbEnabled(on);
    });
    connect(server_, &QLineEdit::textEdited, this, [this](const QString &text) {
        settings_.cddbServer = text;
        parts_.cddb.setServer(text);
    });
    connect(email_, &QLineEdit::textEdited, this, [this](const QString &text) {
        settings_.userEMail = text;
        parts_.cddb.setUserEmail(text);
    });
    connect(servers_, &cd::TServerListBox::serverChosen, this, [this](const QString &server) {
        server_->setText(server);
        emit server_->textEdited(server);
    });
    auto *logo = new QLabel(QStringLiteral("<a href=\"https://gnudb.org/\"><b>gnudb.org</b></a>"), page);
    logo->setOpenExternalLinks(true);
    logo->setCursor(Qt::PointingHandCursor);
    auto *grid = new QGridLayout(page);
    grid->addWidget(useCddb_, 0, 0);
    grid->addWidget(logo, 0, 1, Qt::AlignRight);
    grid->addWidget(named(new QLabel(page), "Prefs_Page6_Server"), 1, 0);
    grid->addWidget(server_, 1, 1);
    grid->addWidget(named(new QLabel(page), "Prefs_Page6_email"), 2, 0);
    grid->addWidget(email_, 2, 1);
    grid->addWidget(named(new QLabel(page), "Prefs_Page6_Availabe"), 3, 0, 1, 2);
    grid->addWidget(servers_, 4, 0, 1, 2);
    return page;
}

void TPrefsForm::showSettings()
{
    for (const auto &[box, setting] : checks_)
        box->setChecked(settings_.*setting);
    channels_[std::clamp(settings_.playMode, 0, 3)]->setChecked(true);
    (settings_.directSound ? directSound_ : wave_)->setChecked(true);
    useCddb_->setChecked(settings_.cddbEnabled);
    server_->setText(settings_.cddbServer);
    email_->setText(settings_.userEMail);
    showFont();
}
