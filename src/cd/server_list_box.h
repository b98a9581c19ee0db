#pragma once

// The list of disc-database servers for the preferences' disc-database
// page: the servers kept in "cddb.ini", refilled each time it is shown, a
// double click that picks one, and the button that fetches a new list.

#include <QWidget>

class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace cd {

class TCDDBForm;

class TServerListBox : public QWidget {
    Q_OBJECT
public:
    explicit TServerListBox(TCDDBForm &cddb, QWidget *parent = nullptr);

    // serverListFile() of cddb_sites.h unless set.
    void setListFile(const QString &path) { listFile_ = path; }
    // Fills the list from the file, empty when there is none.
    void loadServers();

    QListWidget *servers() const { return List_Servers; }

signals:
    // host[:port] of the line double-clicked: the preferences' server field
    // and the "CDDBServer" setting take it.
    void serverChosen(const QString &server);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void CDDB_UpdateClick();
    void List_ServersDblClick(QListWidgetItem *item);

    TCDDBForm &cddb_;
    QString listFile_;
    QListWidget *List_Servers;
    QPushButton *CDDB_Update;
};

}  // namespace cd
