#pragma once

// The preferences window: six pages whose controls write their settings the
// moment they change. What concerns the sound or the windows' look is asked
// of the main window's timer (the output device, the channels, the texture,
// the playlist font); the language changes at once.

#include "core/settings.h"
#include "language/messages.h"
#include "platform/data_folders.h"

#include <QDialog>
#include <QStringList>

#include <optional>
#include <utility>
#include <vector>

class EncoderPage;
class Language;
class OutputControl;
class PluginHost;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSlider;
class QTabWidget;
class TEncForm;
class TextureManager;
namespace cd {
class TCDDBForm;
class TServerListBox;
}  // namespace cd
namespace platform {
class Dialogs;
}

class TPrefsForm : public QDialog {
    Q_OBJECT

public:
    enum Page { InitialSetup, Textures, General, Output, Cddb, Encoder };
    enum FontRequest { NoFont, ChosenFont, DefaultFont };

    struct Parts {
        Settings &settings;
        platform::Dialogs &dialogs;
        Language &language;
        const TextureManager &textures;
        OutputControl &output;
        PluginHost &plugins;
        cd::TCDDBForm &cddb;
        TEncForm &encoderWizard;
        platform::DataFolders folders;
    };

    explicit TPrefsForm(Parts parts, QWidget *parent = nullptr);

    // Modal, on `page` or on the page shown last; the lists are read anew.
    void openOn(std::optional<Page> page = std::nullopt);
    // The controls from the settings, as at start.
    void showSettings();
    void applyTexts(const Messages &messages);

    // Timer1's share: the texture and font chosen since the last tick.
    QString takeTextureRequest();
    FontRequest takeFontRequest();

    QTabWidget &pages() const { return *pages_; }
    EncoderPage &encoderPage() const { return *encoderPage_; }

signals:
    // A check box of the general page changed its setting.
    void generalChanged();
    void languageChosen(const QString &name);
    // A sound device was chosen: the pitch goes back to normal.
    void deviceChosen();
    void pitchControlClicked();
    // Register Filetypes, with the chosen icons stored in the settings.
    void registerRequested();
    void helpRequested();
    void closed();

protected:
    void done(int result) override;

private:
    QWidget *setupPage();
    QWidget *texturesPage();
    QWidget *generalPage();
    QWidget *outputPage();
    QWidget *cddbPage();
    void refreshLists();
    void showTextureInformation();
    void showIcons();
    void showFont();
    void selectFont();
    void useDefaultFont();
    void chooseDevice(bool directSound);

    Parts parts_;
    Settings &settings_;
    QTabWidget *pages_;
    EncoderPage *encoderPage_;
    QStringList icons_;
    QSlider *iconSliders_[2];
    QLabel *iconPreviews_[2];
    QPushButton *register_;
    QComboBox *languages_;
    QLabel *translator_;
    QListWidget *textureList_;
    QLabel *textureInfo_;
    std::vector<std::pair<QCheckBox *, bool Settings::*>> checks_;
    QLineEdit *fontEdit_;
    QLabel *fontPreview_;
    QRadioButton *channels_[4];
    QRadioButton *wave_, *directSound_;
    QListWidget *plugins_;
    QCheckBox *useCddb_;
    QLineEdit *server_, *email_;
    cd::TServerListBox *servers_;
    QString textureRequest_;
    FontRequest fontRequest_ = NoFont;
    Messages texts_;
};
