// CD mode's part in the program: switched by the main window's CD button,
// its menu item and a command; the disc shows in the main window and the
// playlist window's CD view, and the playlist window's requests reach it.
// Timer1 runs its poll; the playback controller hands it the transport.

#include "ludro_app.h"

void LudroApp::connectCd()
{
    QObject::connect(&form_, &TMainForm::cdClicked, &cd_, &cd::CdController::toggle);
    QObject::connect(&cd_, &cd::CdController::cdModeChanged, [this](bool on) {
        form_.setCdMode(on);
        menu_.setCdMode(on);
        plForm_.setCdView(on);
    });
    controller_.setCdController(&cd_);
    QObject::connect(&controller_, &PlaybackController::timeElapsedChanged, &cd_, &cd::CdController::setTimeElapsed);

    QObject::connect(&cd_, &cd::CdController::titleChanged, [this](const QString &title, const QString &total) {
        form_.showTitle(title);
        form_.showDuration(total);
        form_.showScrollingTitle(title + ' ' + total);
        form_.setHint(TMainForm::Hint::Title, title);
    });
    QObject::connect(&cd_, &cd::CdController::timeChanged, &form_, &TMainForm::showTime);
    QObject::connect(&cd_, &cd::CdController::positionChanged, &form_, &TMainForm::showPosition);
    QObject::connect(&cd_, &cd::CdController::playStateChanged, &form_, &TMainForm::showPlayState);
    QObject::connect(&cd_, &cd::CdController::applicationTitleChanged, &form_, &TMainForm::setApplicationTitle);

    QObject::connect(&cd_, &cd::CdController::namesChanged,
                     [this](const QStringList &lines, const QString &title, const QString &artist) {
                         plForm_.setCdLines(lines);
                         plForm_.setCdTitle(title);
                         plForm_.setCdArtist(artist);
                     });
    QObject::connect(&cd_, &cd::CdController::lineSelected, &plForm_, &TPLForm::selectCdLine);
    QObject::connect(&plForm_, &TPLForm::cdTrackActivated, &cd_, &cd::CdController::setPendingTrack);
    QObject::connect(&plForm_, &TPLForm::cdTitleEdited, &cd_, &cd::CdController::titleEdited);
    QObject::connect(&plForm_, &TPLForm::cdArtistEdited, &cd_, &cd::CdController::artistEdited);
    QObject::connect(&plForm_, &TPLForm::changeTrackNameRequested, &cd_, &cd::CdController::renameTrack);
    QObject::connect(&plForm_, &TPLForm::readFromCddbRequested, [this] { cd_.readFromCddb(form_.frameGeometry()); });
    QObject::connect(&plForm_, &TPLForm::submitToCddbRequested, [this] {
        if (cd_.cdMode())
            cd_.setDiscRevision(submitForm_.WriteToCDDB(cd_.discId(), cd_.names(), form_.frameGeometry()));
    });
    QObject::connect(&cddbForm_, &cd::TCDDBForm::cddbEnabledChanged, [this](bool on) { settings_.cddbEnabled = on; });
}
