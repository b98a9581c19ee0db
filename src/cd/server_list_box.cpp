#include "server_list_box.h"

#include "cddb_form.h"
#include "cddb_sites.h"

#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace cd {

TServerListBox::TServerListBox(TCDDBForm &cddb, QWidget *parent)
    : QWidget(parent), cddb_(cddb), listFile_(serverListFile()), List_Servers(new QListWidget(this)),
      CDDB_Update(new QPushButton(QStringLiteral("Update"), this))
{
    List_Servers->setObjectName(QStringLiteral("List_Servers"));
    CDDB_Update->setObjectName(QStringLiteral("CDDB_Update"));
    connect(CDDB_Update, &QPushButton::clicked, this, &TServerListBox::CDDB_UpdateClick);
    connect(List_Servers, &QListWidget::itemDoubleClicked, this, &TServerListBox::List_ServersDblClick);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(List_Servers);
    layout->addWidget(CDDB_Update, 0, Qt::AlignRight);
}

void TServerListBox::loadServers()
{
    List_Servers->clear();
    List_Servers->addItems(loadServerList(listFile_));
}

void TServerListBox::showEvent(QShowEvent *event)
{
    loadServers();
    QWidget::showEvent(event);
}

void TServerListBox::CDDB_UpdateClick()
{
    CDDB_Update->setEnabled(false);
    const std::optional<QStringList> sites = cddb_.UpdateServerList(listFile_, window()->frameGeometry());
    CDDB_Update->setEnabled(true);
    if (!sites)
        return;
    List_Servers->clear();
    List_Servers->addItems(*sites);
}

void TServerListBox::List_ServersDblClick(QListWidgetItem *item)
{
    emit serverChosen(siteServer(item->text()));
}

}  // namespace cd
