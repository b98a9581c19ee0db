#include "app/prefs_form.h"

#include "appearance/texture_manager.h"
#include "cd/cddb_form.h"
#include "cd/server_list_box.h"
#include "core/output_control.h"
#include "app/plugin_host.h"
#include "encoder/encoder_page.h"
#include "language/language.h"
#include "language/window_texts.h"
#include "platform/data_folders.h"
#include "platform/user_folder.h"
#include "shell/file_types.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QVBoxLayout>

TPrefsForm::TPrefsForm(Parts parts, QWidget *parent)
    : QDialog(parent), parts_(parts), settings_(parts.settings), pages_(new QTabWidget(this)),
      encoderPage_(new EncoderPage(parts.dialogs, parts.encoderWizard, parts.folders.user()))
{
    setObjectName(QStringLiteral("Prefs_Caption"));
    setModal(true);
    for (QWidget *page : {setupPage(), texturesPage(), generalPage(), outputPage(), cddbPage(),
                          static_cast<QWidget *>(encoderPage_)})
        pages_->addTab(page, QString());
    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton(QString(), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("Prefs_OK"));
    ok->setDefault(true);
    QPushButton *help = buttons->addButton(QString(), QDialogButtonBox::HelpRole);
    help->setObjectName(QStringLiteral("Prefs_Help"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::helpRequested, this, &TPrefsForm::helpRequested);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(pages_);
    layout->addWidget(buttons);
    connect(&parts.textures, &TextureManager::textureChanged, this, &TPrefsForm::showTextureInformation);
    applyTexts(Messages());
    showSettings();
}

void TPrefsForm::openOn(std::optional<Page> page)
{
    if (page)
        pages_->setCurrentIndex(*page);
    refreshLists();
    exec();
}

// The settings file follows every closing, so a crash later loses nothing.
void TPrefsForm::done(int result)
{
    QDialog::done(result);
    emit closed();
}

void TPrefsForm::applyTexts(const Messages &messages)
{
    texts_ = messages;
    ::applyTexts(*this, messages);
    const char *const names[] = {"Prefs_Page1_Name", "Prefs_Page2_Name", "Prefs_Page4_Name",
                                 "Prefs_Page5_Name", "Prefs_Page6_Name", "Prefs_Page7_Name"};
    for (int i = 0; i < pages_->count(); ++i)
        pages_->setTabText(i, messages.text(names[i]));
    servers_->findChild<QPushButton *>(QStringLiteral("CDDB_Update"))->setText(messages.text("Prefs_Page6_Refresh"));
    const QString name = messages.text("Translator_Name").toHtmlEscaped();
    const QString mail = messages.text("Translator_Email").toHtmlEscaped();
    translator_->setText(mail.isEmpty() ? name
                                        : QStringLiteral("%1 <a href=\"mailto:%2\">%2</a>").arg(name, mail));
}

QString TPrefsForm::takeTextureRequest()
{
    return std::exchange(textureRequest_, QString());
}

TPrefsForm::FontRequest TPrefsForm::takeFontRequest()
{
    return std::exchange(fontRequest_, NoFont);
}

// ---- the initial setup page ----

QWidget *TPrefsForm::setupPage()
{
    auto *page = new QWidget;
    auto *icons = named(new QGroupBox(page), "Prefs_Page1_Sel");
    auto *iconGrid = new QGridLayout(icons);
    for (int i = 0; i < 2; ++i) {
        iconSliders_[i] = new QSlider(Qt::Horizontal, icons);
        iconPreviews_[i] = new QLabel(icons);
        iconPreviews_[i]->setFixedSize(32, 32);
        iconGrid->addWidget(iconPreviews_[i], i, 0);
        iconGrid->addWidget(iconSliders_[i], i, 1);
        connect(iconSliders_[i], &QSlider::valueChanged, this, &TPrefsForm::showIcons);
    }
    auto *group = named(new QGroupBox(icons), "Prefs_Page1_RegCap");
    auto *explanation = named(new QLabel(group), "Prefs_Page1_RegMessage");
    explanation->setWordWrap(true);
    register_ = named(new QPushButton(group), "Prefs_Page1_Reg");
    connect(register_, &QPushButton::clicked, this, [this] {
        settings_.icon1 = iconSliders_[0]->value();
        settings_.icon2 = iconSliders_[1]->value();
        emit registerRequested();
    });
    auto *groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(explanation);
    groupLayout->addWidget(register_, 0, Qt::AlignRight);
    iconGrid->addWidget(group, 0, 2, 2, 1);
    iconGrid->setColumnStretch(2, 1);

    auto *language = named(new QGroupBox(page), "Prefs_Page1_Language");
    languages_ = new QComboBox(language);
    translator_ = new QLabel(language);
    translator_->setTextFormat(Qt::RichText);  // the name escaped, even without an address
    translator_->setOpenExternalLinks(true);
    connect(languages_, &QComboBox::activated, this,
            [this](int index) { emit languageChosen(languages_->itemText(index)); });
    auto *languageGrid = new QGridLayout(language);
    languageGrid->addWidget(named(new QLabel(language), "Prefs_Page1_LanCombo"), 0, 0);
    languageGrid->addWidget(languages_, 0, 1);
    languageGrid->addWidget(named(new QLabel(language), "Prefs_Page1_Translated"), 1, 0);
    languageGrid->addWidget(translator_, 1, 1);
    languageGrid->setColumnStretch(1, 1);

    auto *layout = new QVBoxLayout(page);
    layout->addWidget(icons);
    layout->addWidget(language);
    layout->addStretch();
    return page;
}

// The icon folder, the languages, the servers and the textures change while
// the program runs: read on every opening.
void TPrefsForm::refreshLists()
{
    icons_ = shell::iconFiles(parts_.folders.search(QStringLiteral("icons")));
    const int stored[] = {settings_.icon1, settings_.icon2};
    for (int i = 0; i < 2; ++i) {
        iconSliders_[i]->setRange(0, std::max(0, int(icons_.size()) - 1));
        iconSliders_[i]->setValue(stored[i] < icons_.size() ? stored[i] : 0);
    }
    register_->setEnabled(!icons_.isEmpty());
    showIcons();

    languages_->clear();
    languages_->addItems(parts_.language.names());
    for (int i = 0; i < languages_->count(); ++i)
        if (languages_->itemText(i).compare(settings_.language, Qt::CaseInsensitive) == 0)
            languages_->setCurrentIndex(i);

    plugins_->clear();
    plugins_->addItems(parts_.plugins.descriptions());
    servers_->loadServers();
    textureList_->clear();
    textureList_->addItems(parts_.textures.names());
    showTextureInformation();
}

void TPrefsForm::showIcons()
{
    for (int i = 0; i < 2; ++i) {
        const int at = iconSliders_[i]->value();
        iconPreviews_[i]->setPixmap(at < icons_.size() ? QPixmap(icons_[at]).scaled(32, 32) : QPixmap());
    }
}

// ---- the textures page ----

QWidget *TPrefsForm::texturesPage()
{
    auto *page = new QWidget;
    textureList_ = new QListWidget(page);
    connect(textureList_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { textureRequest_ = item->text(); });
    textureInfo_ = new QLabel(page);
    textureInfo_->setTextFormat(Qt::RichText);
    textureInfo_->setOpenExternalLinks(true);
    textureInfo_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    textureInfo_->setMargin(8);
    textureInfo_->setWordWrap(true);
    textureInfo_->setFixedWidth(300);
    textureInfo_->setAutoFillBackground(true);
    // The music browser's background, its corner halved, tiles the panel.
    const QImage picture(
        platform::findInFolders(parts_.folders.search(QStringLiteral("Browser")), QStringLiteral("BackGround.bmp")));
    if (!picture.isNull()) {
        QPalette palette = textureInfo_->palette();
        palette.setBrush(QPalette::Window, QPixmap::fromImage(picture.copy(0, 0, 200, 100).scaled(100, 50)));
        // Light text, as on the browser's pages, so it reads on the dark tiles.
        palette.setColor(QPalette::WindowText, Qt::white);
        palette.setColor(QPalette::Link, QColor(0x7E, 0x7E, 0xFF));
        textureInfo_->setPalette(palette);
    }
    auto *row = new QHBoxLayout;
    row->addWidget(textureList_);
    row->addWidget(textureInfo_);
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(named(new QLabel(page), "Prefs_Page2_Line1"));
    layout->addLayout(row);
    return page;
}

// Names from a texture's description are shown as text, links only as the
// addresses they are.
void TPrefsForm::showTextureInformation()
{
    const TextureInfo &info = parts_.textures.texture()->info;
    const auto link = [](const QString &target, const QString &text) {
        return text.isEmpty() ? QString()
                              : QStringLiteral("<a href=\"%1\">%2</a>").arg(target.toHtmlEscaped(), text.toHtmlEscaped());
    };
    textureInfo_->setText(QStringList{QStringLiteral("<b>%1 %2</b>").arg(info.name.toHtmlEscaped(),
                                                                         info.version.toHtmlEscaped()),
                                      info.author.toHtmlEscaped(),
                                      link(QStringLiteral("mailto:") + info.email, info.email),
                                      link(info.homePage, info.homePage), info.comment.toHtmlEscaped()}
                              .join(QStringLiteral("<br>")));
    for (int i = 0; i < textureList_->count(); ++i)
        if (textureList_->item(i)->text() == parts_.textures.name())
            textureList_->setCurrentRow(i);
}
