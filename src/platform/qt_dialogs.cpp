#include "dialogs.h"
#include "plain_text.h"

#include <QApplication>
#include <QColor>
#include <QColorDialog>
#include <QFont>
#include <QFileDialog>
#include <QRegularExpression>
#include <QFontDialog>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>

namespace platform {

namespace {

// Messages carry names from users' files and folders: never read as markup.
void showMessage(QMessageBox::Icon icon, const QString &caption, const QString &text)
{
    QMessageBox box(icon, plainWindowTitle(caption), text, QMessageBox::Ok, QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

}  // namespace

void QtDialogs::error(const QString &text)
{
    showMessage(QMessageBox::Critical, QApplication::applicationName(), text);
}

void QtDialogs::errorWithCaption(const QString &caption, const QString &text)
{
    showMessage(QMessageBox::Critical, caption, text);
}

std::optional<QFont> QtDialogs::chooseFont(const QFont &initial)
{
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, initial, QApplication::activeWindow());
    return ok ? std::optional(font) : std::nullopt;
}

std::optional<QColor> QtDialogs::chooseColor(const QColor &initial)
{
    const QColor colour = QColorDialog::getColor(initial, QApplication::activeWindow());
    return colour.isValid() ? std::optional(colour) : std::nullopt;
}

void QtDialogs::information(const QString &text)
{
    showMessage(QMessageBox::Information, QApplication::applicationName(), text);
}

QString QtDialogs::openFileName(const QString &caption, const QString &folder, const QString &filter)
{
    return QFileDialog::getOpenFileName(QApplication::activeWindow(), caption, folder, filter);
}

QStringList QtDialogs::openFileNames(const QString &caption, const QString &folder, const QString &filter)
{
    return QFileDialog::getOpenFileNames(QApplication::activeWindow(), caption, folder, filter);
}

namespace {

// A name typed without an extension gets the chosen kind's, before the box
// asks about replacing a file of that name.
class SaveBox : public QFileDialog {
public:
    using QFileDialog::QFileDialog;

protected:
    void accept() override
    {
        setDefaultSuffix(
            QRegularExpression(QStringLiteral("\\*\\.(\\w+)")).match(selectedNameFilter()).captured(1));
        QFileDialog::accept();
    }
};

}  // namespace

QString QtDialogs::saveFileName(const QString &caption, const QString &folder, const QString &filter)
{
    SaveBox box(QApplication::activeWindow(), caption, folder, filter);
    box.setAcceptMode(QFileDialog::AcceptSave);
    return box.exec() == QDialog::Accepted && !box.selectedFiles().isEmpty() ? box.selectedFiles().first() : QString();
}

QString QtDialogs::folderName(const QString &caption, const QString &folder)
{
    return QFileDialog::getExistingDirectory(QApplication::activeWindow(), caption, folder);
}

QString QtDialogs::askText(const QString &caption, const QString &prompt, const QString &initial)
{
    QInputDialog box(QApplication::activeWindow());
    box.setWindowTitle(plainWindowTitle(caption));
    box.setLabelText(prompt);
    // The prompt comes from a language file: never read as markup.
    box.findChild<QLabel *>()->setTextFormat(Qt::PlainText);
    box.setTextValue(initial);
    return box.exec() == QDialog::Accepted ? box.textValue() : QString();
}

}  // namespace platform
