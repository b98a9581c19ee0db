// The playlist window's menus: one per bar button and the list's own, with
// their enabling rules. Items are named by their keys in the message table.

#include "pl_form.h"

QMenu *TPLForm::addMenu(const QString &name, const std::vector<std::pair<QString, std::function<void()>>> &items)
{
    auto *menu = new QMenu(this);
    menu->setObjectName(name);
    for (const auto &[key, command] : items) {
        if (key.isEmpty())
            menu->addSeparator();
        else
            connect(addItem(menu, key), &QAction::triggered, this, command);
    }
    return menu;
}

// Named by its key in the message table, which gives it its text.
QAction *TPLForm::addItem(QMenu *menu, const QString &key)
{
    QAction *item = menu->addAction(QString());
    item->setObjectName(key);
    return item;
}

void TPLForm::buildMenus()
{
    auto &c = commands_;
    auto edit = [this](std::function<void()> command) { return [this, command] { run(command); }; };
    buttonMenus_[Button::File] = addMenu("File", {{"Playlist_File_Load", edit([&c] { c.loadPlaylist(); })},
                                                  {"Playlist_File_Save", [&c] { c.savePlaylist(); }}});
    buttonMenus_[Button::Add] = addMenu("Add", {{"Playlist_Add_File", edit([&c] { c.addFiles(); })},
                                                {"Playlist_Add_Dir", edit([&c] { c.addDirectories(); })},
                                                {"Playlist_Add_URL", edit([&c] { c.addUrl(); })}});
    buttonMenus_[Button::Delete] =
        addMenu("Delete", {{"Playlist_Del_Sel", edit([this, &c] { c.deleteSelected(selectedFlags()); })},
                           {"Playlist_Del_NotSel", edit([this, &c] { c.deleteAllButSelected(selectedFlags()); })},
                           {"Playlist_Del_All", edit([&c] { c.deleteAll(); })}});
    QMenu *editMenu =
        addMenu("Edit", {{"Playlist_Edit_SelAll", [this] { titleView_.selectAll(); }},
                         {"Playlist_Edit_SelNone", [this] { titleView_.clearSelection(); }},
                         {"Playlist_Edit_Inv",
                          [this] {
                              const QItemSelection all(table_.index(0, 0),
                                                       table_.index(table_.rowCount() - 1, table_.columnCount() - 1));
                              titleView_.selectionModel()->select(all, QItemSelectionModel::Toggle);
                          }},
                         {"", {}}});
    QMenu *optionsMenu = addMenu("Options", {{"Playlist_Edit_MusicGroup", edit([&c] { c.toggleMusicGroup(); })}});
    QMenu *fontMenu = addMenu("Font Size", {{"Playlist_Edit_Increase", [this] { changeFontSize(1); }},
                                            {"Playlist_Edit_Decrease", [this] { changeFontSize(-1); }}});
    addSubMenu(optionsMenu, fontMenu, "Playlist_Edit_FontSize");
    addSubMenu(editMenu, optionsMenu, "Playlist_Edit_Options");
    // The CD view's items; the list's own menu offers the rename too.
    editMenu->addSeparator();
    connect(addItem(editMenu, "Playlist_Edit_TrackName"), &QAction::triggered, this, [this] {
        if (selectedCdLine() >= 0)
            emit changeTrackNameRequested(selectedCdLine());
    });
    connect(addItem(editMenu, "Playlist_Edit_CDDB"), &QAction::triggered, this,
            [this] { emit readFromCddbRequested(); });
    connect(addItem(editMenu, "Playlist_Edit_Submit"), &QAction::triggered, this,
            [this] { emit submitToCddbRequested(); });
    buttonMenus_[Button::Edit] = editMenu;
    cdMenu_ = new QMenu(this);
    cdMenu_->setObjectName("CD");
    cdMenu_->addAction(action("Playlist_Edit_TrackName"));
    QMenu *sortModes = addMenu("Sort Modes", {{"Playlist_Effects_Alpha", edit([&c] { c.setKeepSorted(true); })},
                                              {"Playlist_Effects_NoSort", edit([&c] { c.setKeepSorted(false); })},
                                              {"Playlist_Effects_SortOnce", edit([&c] { c.sortOnce(); })}});
    QMenu *effects = addMenu("Sort", {{"Playlist_Effects_Rand", edit([&c] { c.randomize(); })},
                                      {"Playlist_Effects_Reverse", edit([&c] { c.reverse(); })}});
    effects->insertSeparator(effects->actions().first());
    effects->insertMenu(effects->actions().first(), sortModes)->setObjectName("Playlist_Effects_Sort");
    buttonMenus_[Button::Sort] = effects;
    listMenu_ = addMenu("List", {{"Playlist_Pop_Play", [this] { playSelected(); }},
                                 {"Playlist_Pop_ID3", [this] { emit id3TagRequested(selectedIndex()); }},
                                 {"Playlist_Pop_Delete", edit([this, &c] { c.deleteSelected(selectedFlags()); })},
                                 {"", {}},
                                 {"Playlist_Pop_Up", [this] { moveSelected(-1); }},
                                 {"Playlist_Pop_Down", [this] { moveSelected(1); }},
                                 {"", {}},
                                 {"Playlist_Pop_Help", [this] { emit helpRequested(); }},
                                 {"Playlist_Pop_Close", [this] { close(); }}});
    for (const char *checkable : {"Playlist_Edit_MusicGroup", "Playlist_Effects_Alpha", "Playlist_Effects_NoSort"})
        action(checkable)->setCheckable(true);
    for (const char *cdItem : {"Playlist_Edit_TrackName", "Playlist_Edit_CDDB", "Playlist_Edit_Submit"})
        action(cdItem)->setVisible(false);
}

// The sub-menu's item is named by its key, which gives it its text.
void TPLForm::addSubMenu(QMenu *menu, QMenu *subMenu, const char *key)
{
    menu->addMenu(subMenu)->setObjectName(QString::fromLatin1(key));
}

QAction *TPLForm::action(const QString &key) const
{
    return findChild<QAction *>(key);
}

void TPLForm::updateMenus()
{
    const bool sorted = playlist_.keepSorted;
    action("Playlist_Effects_Alpha")->setChecked(sorted);
    action("Playlist_Effects_NoSort")->setChecked(!sorted);
    action("Playlist_Edit_MusicGroup")->setChecked(playlist_.musicGroup);
    for (const char *caption : {"Playlist_Effects_Rand", "Playlist_Effects_Reverse", "Playlist_Effects_SortOnce"})
        action(caption)->setEnabled(!sorted);

    const int selected = titleView_.selectionModel() ? titleView_.selectionModel()->selectedRows().size() : 0;
    const int one = selectedIndex();
    action("Playlist_Pop_Play")->setEnabled(selected == 1);
    action("Playlist_Pop_ID3")->setEnabled(selected == 1);
    action("Playlist_Pop_Delete")->setEnabled(selected >= 1 && !cdView_);
    action("Playlist_Pop_Up")->setEnabled(!sorted && one > 0);
    action("Playlist_Pop_Down")->setEnabled(!sorted && one >= 0 && one + 1 < playlist_.entryCount());
    // The file list's edits wait while the disc is shown.
    for (const char *caption : {"Playlist_Del_Sel", "Playlist_Del_NotSel", "Playlist_File_Load"})
        action(caption)->setEnabled(!cdView_);
    action("Playlist_Edit_TrackName")->setEnabled(cdView_ && selectedCdLine() >= 0);
}
