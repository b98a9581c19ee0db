// The music browser's part in the program: shown from the menu and by the
// remote command, the help page of every window, and its place kept in the
// settings.

#include "ludro_app.h"

#include <QShortcut>

void LudroApp::connectBrowser()
{
    QAction *item = menu_.browserAction();
    item->setEnabled(true);
    item->setCheckable(true);
    QObject::connect(item, &QAction::triggered, [this] { browser_.toggle(); });
    QObject::connect(&browser_, &BrowserController::visibilityChanged, item, &QAction::setChecked);

    eqForm_.OnHelp = [this] { browser_.OpenHelpPage(QStringLiteral("equalizer.html")); };
    QObject::connect(&plForm_, &TPLForm::helpRequested,
                     [this] { browser_.OpenHelpPage(QStringLiteral("playlist.html")); });
    const auto recorderHelp = [this] { browser_.OpenHelpPage(QStringLiteral("recorder.html")); };
    QObject::connect(&recForm_, &TRecForm::helpRequested, recorderHelp);
    QObject::connect(&asForm_, &TASForm::helpRequested, recorderHelp);
    QObject::connect(&convForm_, &TConvForm::helpRequested,
                     [this] { browser_.OpenHelpPage(QStringLiteral("converter.html")); });
    // Windows without a help item of their own: the help key.
    const std::pair<QWidget *, const char *> pages[] = {
        {&form_, "manual.html"},     {&plForm_, "playlist.html"},       {&eqForm_, "equalizer.html"},
        {&pitchForm_, "pitch.html"}, {&tagForm_, "tags.html"},          {&cddbForm_, "cddb.html"},
        {&submitForm_, "cddb.html"}, {&browser_.form(), "manual.html"}, {&recForm_, "recorder.html"},
        {&asForm_, "recorder.html"}, {&convForm_, "converter.html"}, {&encForm_, "converter.html"},
    };
    for (const auto &[window, page] : pages) {
        auto *key = new QShortcut(QKeySequence::HelpContents, window);
        QObject::connect(key, &QShortcut::activated,
                         [this, name = QString::fromLatin1(page)] { browser_.OpenHelpPage(name); });
    }
    browser_.form().setGeometry(settings_.browserX, settings_.browserY,
                                std::max(settings_.browserW, browser_.form().minimumWidth()),
                                std::max(settings_.browserH, browser_.form().minimumHeight()));
}

void LudroApp::storeBrowserSettings()
{
    const QRect place = browser_.form().geometry();
    settings_.browserX = place.x();
    settings_.browserY = place.y();
    settings_.browserW = place.width();
    settings_.browserH = place.height();
}
