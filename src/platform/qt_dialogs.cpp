#include "dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace platform {

void QtDialogs::error(const QString &text)
{
    QMessageBox::critical(QApplication::activeWindow(), QApplication::applicationName(), text);
}

void QtDialogs::information(const QString &text)
{
    QMessageBox::information(QApplication::activeWindow(), QApplication::applicationName(), text);
}

QString QtDialogs::openFileName(const QString &caption, const QString &folder, const QString &filter)
{
    return QFileDialog::getOpenFileName(QApplication::activeWindow(), caption, folder, filter);
}

QStringList QtDialogs::openFileNames(const QString &caption, const QString &folder, const QString &filter)
{
    return QFileDialog::getOpenFileNames(QApplication::activeWindow(), caption, folder, filter);
}

QString QtDialogs::saveFileName(const QString &caption, const QString &folder, const QString &filter)
{
    return QFileDialog::getSaveFileName(QApplication::activeWindow(), caption, folder, filter);
}

QString QtDialogs::folderName(const QString &caption, const QString &folder)
{
    return QFileDialog::getExistingDirectory(QApplication::activeWindow(), caption, folder);
}

QString QtDialogs::askText(const QString &caption, const QString &prompt)
{
    return QInputDialog::getText(QApplication::activeWindow(), caption, prompt);
}

}  // namespace platform
