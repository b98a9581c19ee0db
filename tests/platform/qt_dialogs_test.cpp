// Qt's message boxes show names from users' files as they are written.

#include "platform/dialogs.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

class Dialogs : public platform::QtDialogs {
public:
    QString askAddress() override { return {}; }
};

}  // namespace

TEST(QtDialogs, MessagesAreShownAsPlainText)
{
    Dialogs dialogs;
    for (const auto &show : {&Dialogs::error, &Dialogs::information}) {
        Qt::TextFormat format = Qt::RichText;
        QTimer::singleShot(0, [&format] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            format = box->textFormat();
            box->accept();
        });
        (dialogs.*show)("The texture \"<b>Bold</b>\" cannot be found.");
        EXPECT_EQ(format, Qt::PlainText);
    }
}
