#pragma once

// Every text the program's widgets show: as given to Qt, as the user sees
// it (markup read, shortcut marks taken out) and where it is.

#include "app/ludro_app.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTabBar>
#include <QTextDocument>
#include <QWindow>

#include <vector>

// One text of a window: as given to Qt, as the user sees it, and whether Qt
// reads it as HTML.
struct Shown {
    QString where, given, seen;
    bool markup = false;
};

inline QString asHtml(const QString &text)
{
    QTextDocument document;
    document.setHtml(text);
    return document.toPlainText();
}

// Labels in automatic format and tooltips are read as HTML when they look
// like it.
inline Shown sniffed(const QString &where, const QString &text, Qt::TextFormat format = Qt::AutoText)
{
    const bool markup =
        format == Qt::RichText || format == Qt::MarkdownText || (format == Qt::AutoText && Qt::mightBeRichText(text));
    return {where, text, markup ? asHtml(text) : text, markup};
}

// Menu items, buttons and group boxes: "&&" shows "&", a single "&" marks
// the shortcut key.
inline Shown withShortcutMarks(const QString &where, const QString &text)
{
    QString seen;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size())
            ++i;
        seen += text[i];
    }
    return {where, text, seen};
}

// Every text of every widget the program made, the tooltips Qt is showing
// and the tray's tooltips.
inline std::vector<Shown> everyText(LudroApp &app)
{
    std::vector<Shown> texts;
    for (QWidget *widget : QApplication::allWidgets()) {
        const QString where = QStringLiteral("%1: %2 %3").arg(widget->window()->metaObject()->className(),
                                                              widget->metaObject()->className(), widget->objectName());
        if (widget->isWindow()) {
            const QWindow *handle = widget->windowHandle();
            texts.push_back(
                {where + " title", widget->windowTitle(), handle ? handle->title() : widget->windowTitle()});
        }
        texts.push_back(sniffed(where + " tooltip", widget->toolTip()));
        if (auto *label = qobject_cast<QLabel *>(widget))
            texts.push_back(sniffed(where, label->text(), label->textFormat()));
        else if (auto *edit = qobject_cast<QLineEdit *>(widget))
            texts.push_back({where, edit->text(), edit->text()});
        else if (auto *button = qobject_cast<QAbstractButton *>(widget))
            texts.push_back(withShortcutMarks(where, button->text()));
        else if (auto *group = qobject_cast<QGroupBox *>(widget))
            texts.push_back(withShortcutMarks(where, group->title()));
        else if (auto *tabs = qobject_cast<QTabBar *>(widget))
            for (int i = 0; i < tabs->count(); ++i) {
                texts.push_back(withShortcutMarks(where, tabs->tabText(i)));
                texts.push_back(sniffed(where + " tooltip", tabs->tabToolTip(i)));
            }
        for (const QAction *action : widget->actions()) {
            texts.push_back(withShortcutMarks(where + " item " + action->objectName(), action->text()));
            if (auto *menu = qobject_cast<QMenu *>(widget); menu && menu->toolTipsVisible())
                texts.push_back(sniffed(where + " item tooltip", action->toolTip()));
        }
        auto *view = qobject_cast<QAbstractItemView *>(widget);
        if (!view || !view->model() || qobject_cast<QHeaderView *>(view))
            continue;
        const QAbstractItemModel &model = *view->model();
        for (int row = 0; row < model.rowCount(); ++row)
            for (int column = 0; column < model.columnCount(); ++column) {
                const QModelIndex index = model.index(row, column);
                const QString text = index.data().toString();
                texts.push_back({where + " item", text, text});
                texts.push_back(sniffed(where + " item tooltip", index.data(Qt::ToolTipRole).toString()));
            }
    }
    for (int i = 0; i < 5; ++i)
        texts.push_back(sniffed(QStringLiteral("tray icon %1").arg(i + 1), app.shell().tray().trayIcon(i).toolTip()));
    return texts;
}
