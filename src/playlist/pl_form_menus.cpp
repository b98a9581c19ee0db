// The playlist window's menus: one per bar button and the list's own, with
// their enabling rules.

#include "pl_form.h"

QMenu *TPLForm::addMenu(const QString &name, const std::vector<std::pair<QString, std::function<void()>>> &items)
{
    auto *menu = new QMenu(this);
    menu->setObjectName(name);
    for (const auto &[caption, command] : items) {
        if (caption.isEmpty())
            menu->addSeparator();
        else
            connect(menu->addAction(caption), &QAction::triggered, this, command);
    }
    return menu;
}

void TPLForm::buildMenus()
{
    auto &c = commands_;
    auto edit = [this](std::function<void()> command) { return [this, command] { run(command); }; };
    buttonMenus_[Button::File] = addMenu("File", {{"Load Playlist...", edit([&c] { c.loadPlaylist(); })},
                                                  {"Save Playlist...", [&c] { c.savePlaylist(); }}});
    buttonMenus_[Button::Add] = addMenu("Add", {{"File(s)...", edit([&c] { c.addFiles(); })},
                                                {"Directories...", edit([&c] { c.addDirectories(); })},
                                                {"URL...", edit([&c] { c.addUrl(); })}});
    buttonMenus_[Button::Delete] =
        addMenu("Delete", {{"Selected Songs", edit([this, &c] { c.deleteSelected(selectedFlags()); })},
                           {"All but Selected", edit([this, &c] { c.deleteAllButSelected(selectedFlags()); })},
                           {"All Songs", edit([&c] { c.deleteAll(); })}});
    QMenu *editMenu =
        addMenu("Edit", {{"Select All", [this] { titleView_.selectAll(); }},
                         {"Select None", [this] { titleView_.clearSelection(); }},
                         {"Invert Selection",
                          [this] {
                              const QItemSelection all(table_.index(0, 0),
                                                       table_.index(table_.rowCount() - 1, table_.columnCount() - 1));
                              titleView_.selectionModel()->select(all, QItemSelectionModel::Toggle);
                          }},
                         {"", {}},
                         {"Show Music Group", edit([&c] { c.toggleMusicGroup(); })}});
    QMenu *fontMenu = addMenu(
        "Font Size", {{"Increase", [this] { changeFontSize(1); }}, {"Decrease", [this] { changeFontSize(-1); }}});
    fontMenu->setTitle("Font Size");
    editMenu->addMenu(fontMenu);
    // The CD view's items; the list's own menu offers the rename too.
    editMenu->addSeparator();
    connect(editMenu->addAction("Change Track Name"), &QAction::triggered, this, [this] {
        if (selectedCdLine() >= 0)
            emit changeTrackNameRequested(selectedCdLine());
    });
    connect(editMenu->addAction("Read from CDDB"), &QAction::triggered, this, [this] { emit readFromCddbRequested(); });
    connect(editMenu->addAction("Submit to CDDB"), &QAction::triggered, this, [this] { emit submitToCddbRequested(); });
    buttonMenus_[Button::Edit] = editMenu;
    cdMenu_ = new QMenu(this);
    cdMenu_->setObjectName("CD");
    cdMenu_->addAction(action("Change Track Name"));
    buttonMenus_[Button::Sort] = addMenu("Sort", {{"Sort Alphabetically", edit([&c] { c.setKeepSorted(true); })},
                                                  {"Do Not Sort", edit([&c] { c.setKeepSorted(false); })},
                                                  {"Sort Once", edit([&c] { c.sortOnce(); })},
                                                  {"", {}},
                                                  {"Randomize", edit([&c] { c.randomize(); })},
                                                  {"Reverse", edit([&c] { c.reverse(); })}});
    listMenu_ = addMenu("List", {{"Play Selected", [this] { playSelected(); }},
                                 {"ID3 Tag", [this] { emit id3TagRequested(selectedIndex()); }},
                                 {"Delete Selected", edit([this, &c] { c.deleteSelected(selectedFlags()); })},
                                 {"", {}},
                                 {"Move Up", [this] { moveSelected(-1); }},
                                 {"Move Down", [this] { moveSelected(1); }},
                                 {"", {}},
                                 {"Playlist Help", [this] { emit helpRequested(); }}});
    for (const char *checkable : {"Show Music Group", "Sort Alphabetically", "Do Not Sort"})
        action(checkable)->setCheckable(true);
    for (const char *cdItem : {"Change Track Name", "Read from CDDB", "Submit to CDDB"})
        action(cdItem)->setVisible(false);
}

QAction *TPLForm::action(const QString &caption) const
{
    for (QMenu *menu : findChildren<QMenu *>())
        for (QAction *action : menu->actions())
            if (action->text() == caption)
                return action;
    return nullptr;
}

void TPLForm::updateMenus()
{
    const bool sorted = playlist_.keepSorted;
    action("Sort Alphabetically")->setChecked(sorted);
    action("Do Not Sort")->setChecked(!sorted);
    action("Show Music Group")->setChecked(playlist_.musicGroup);
    for (const char *caption : {"Randomize", "Reverse", "Sort Once"})
        action(caption)->setEnabled(!sorted);

    const int selected = titleView_.selectionModel() ? titleView_.selectionModel()->selectedRows().size() : 0;
    const int one = selectedIndex();
    action("Play Selected")->setEnabled(selected == 1);
    action("ID3 Tag")->setEnabled(selected == 1);
    action("Delete Selected")->setEnabled(selected >= 1 && !cdView_);
    action("Move Up")->setEnabled(!sorted && one > 0);
    action("Move Down")->setEnabled(!sorted && one >= 0 && one + 1 < playlist_.entryCount());
    // The file list's edits wait while the disc is shown.
    for (const char *caption : {"Selected Songs", "All but Selected", "Load Playlist..."})
        action(caption)->setEnabled(!cdView_);
    action("Change Track Name")->setEnabled(cdView_ && selectedCdLine() >= 0);
}
