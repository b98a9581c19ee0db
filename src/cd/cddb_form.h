#pragma once

// The disc-database window: shown beside the main window while a disc's
// names are looked up or sent, or beside the preferences while the list of
// servers is fetched, with the state of the request and a Close button that
// ends it at once. It also offers the "CDDB Enabled" check box, which is
// only stored and mirrored with the preferences.

#include "cddb_client.h"
#include "disc_id.h"
#include "disc_names.h"

#include "language/messages.h"

#include <QWidget>

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace platform {
class Dialogs;
}

namespace cd {

class TCDDBForm : public QWidget {
    Q_OBJECT
public:
    explicit TCDDBForm(platform::Dialogs &dialogs, QWidget *parent = nullptr);

    void applyTexts(const Messages &messages);

    void setServer(const QString &host) { client_.setServer(host); }
    void setUserEmail(const QString &email) { client_.setUserEmail(email); }  // SplitUserEmail
    void setCddbEnabled(bool enabled);
    bool cddbEnabled() const;
    // Where the names files go: tracksFolder() of track_names.h unless set.
    void setTracksFolder(const QString &folder) { tracksFolder_ = folder; }
    // Asks the user to pick one of several matches; TMatchForm unless set.
    void setMatchChooser(MatchChooser chooser) { chooser_ = std::move(chooser); }

    // Looks the disc up. `names` holds the current names; they are written to
    // the disc's names file when the server has no record. True when a record
    // was read: `names` then holds its names, also written to the file.
    bool QueryDisc(const DiscId &id, DiscNames &names, const QRect &mainWindowFrame);
    // Sends the disc's names as a record of `revision` under `category`
    // ("rock"), for a test or for real. True when the server accepted it:
    // the window then closes. Otherwise it stays and shows "Connection
    // Failed" or the server's answer. `names` holds one name per track.
    bool SubmitDisc(const DiscId &id, const DiscNames &names, int revision, const QString &category, bool test,
                    const QRect &mainWindowFrame);
    // Fetches the default server's list of servers and writes it to
    // `listFile`: the new list, the window then closed. None when the
    // request failed or the answer was not complete: the file is kept and
    // the window stays with "Connection Failed" or the server's error.
    std::optional<QStringList> UpdateServerList(const QString &listFile, const QRect &besideFrame);

    QString status() const;
    QStringList record() const;  // the last record read, kept until the next lookup

signals:
    void cddbEnabledChanged(bool enabled);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void showBeside(const QRect &mainWindowFrame);
    void setStatus(const QString &text);
    void save(const QString &discId, const DiscNames &names);

    platform::Dialogs &dialogs_;
    CddbClient client_;
    MatchChooser chooser_;
    QString tracksFolder_;
    QLabel *CDDB_Label;
    QPlainTextEdit *CDDBMemo;
    QPushButton *CDDB_Abort;
    QCheckBox *DisCDDB;
};

}  // namespace cd
