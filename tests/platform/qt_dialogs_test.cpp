// Qt's message and input boxes show names from users' files and texts from
// language files as they are written.

#include "platform/dialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

class Dialogs : public platform::QtDialogs {
public:
    QString askAddress() override { return {}; }
    int chooseSong(const QStringList &) override { return -1; }
};

// The format of the text the box that opens next shows; the box is closed.
Qt::TextFormat &nextBoxFormat(Qt::TextFormat &format)
{
    format = Qt::RichText;
    QTimer::singleShot(0, [&format] {
        QDialog *box = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        if (auto *message = qobject_cast<QMessageBox *>(box))
            format = message->textFormat();
        else
            format = box->findChild<QLabel *>()->textFormat();
        box->reject();
    });
    return format;
}

}  // namespace

TEST(QtDialogs, TextsArePlainAndTheSaveBoxGivesANameTheChosenKindsExtension)
{
    Dialogs dialogs;
    const QString text = "The texture \"<b>Bold</b>\" cannot be found.";
    Qt::TextFormat format;
    nextBoxFormat(format);
    dialogs.errorWithCaption("<b>Caption</b>", text);
    EXPECT_EQ(format, Qt::PlainText);
    nextBoxFormat(format);
    EXPECT_EQ(dialogs.askText("Name", "<b>Name</b> of this track:", "One"), "") << "cancelled";
    EXPECT_EQ(format, Qt::PlainText);

    // A name typed without an extension gets the kind chosen in the box.
    QTemporaryDir dir;
    QTimer::singleShot(0, [] {
        auto *box = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        auto *kinds = box->findChild<QComboBox *>(QStringLiteral("fileTypeCombo"));
        ASSERT_NE(kinds, nullptr);
        kinds->setCurrentIndex(1);
        box->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(QStringLiteral("mixed"));
        static_cast<QDialog *>(box)->accept();
    });
    EXPECT_EQ(dialogs.saveFileName("Save Playlist", dir.path(), "M3U playlist (*.m3u);;PLS playlist (*.pls)"),
              dir.filePath("mixed.pls"));
}
