#include "dialogs.h"

#include <QApplication>
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

}  // namespace platform
