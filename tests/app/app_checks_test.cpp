// The real program checks its own wiring, so a part forgotten in one place
// cannot land: every command of the table is bound, every signal of our
// windows and their parts reaches something, every window has a help page
// that exists, and the windows that dock follow the main window and wear a
// new texture.

#include "core/remote_commands.h"
#include "support/every_window.h"
#include "support/program_session.h"

#include <QtCore/private/qmetaobject_p.h>
#include <QtCore/private/qobject_p.h>

#include <QTest>

#include <gtest/gtest.h>

namespace {

// "TMainForm::playClicked()" for each signal of our classes (Qt's start
// with Q) that nothing listens to, in `object` and the widgets it holds.
QStringList deafSignals(QObject *object)
{
    QStringList deaf;
    QList<QObject *> objects{object};
    for (QWidget *widget : object->findChildren<QWidget *>())
        objects << widget;
    for (QObject *part : objects)
        for (const QMetaObject *meta = part->metaObject(); meta && !QByteArray(meta->className()).startsWith('Q');
             meta = meta->superClass())
            for (int i = meta->methodOffset(); i < meta->methodCount(); ++i) {
                const QMetaMethod method = meta->method(i);
                if (method.methodType() == QMetaMethod::Signal
                    && !QObjectPrivate::get(part)->isSignalConnected(QMetaObjectPrivate::signalIndex(method)))
                    deaf << QStringLiteral("%1::%2").arg(meta->className(), method.methodSignature());
            }
    return deaf;
}

}  // namespace

class Wiring : public ProgramSession {};

TEST_F(Wiring, EveryCommandIsBoundEverySignalHeardEveryWindowHasItsHelpAndTheDockingOnesFollow)
{
    LudroApp &app = start({"/noSave"}, false);
    makeEveryWindow(app);
    for (const RemoteCommand &command : remoteCommands())
        EXPECT_TRUE(app.remote().isBound(command.number)) << command.name;
    QStringList deaf = deafSignals(&app.mainForm());
    for (Feature *feature : app.features()) {
        deaf += deafSignals(feature);
        for (FeatureWindow *window : feature->windows())
            deaf += deafSignals(window->made());
    }
    EXPECT_TRUE(deaf.isEmpty()) << deaf.join('\n').toStdString();

    app.show();
    TMainForm &main = app.mainForm();
    main.move(100, 100);
    std::vector<QWidget *> docking;
    for (Feature *feature : app.features())
        for (FeatureWindow *window : feature->windows()) {
            const QString page = window->traits().helpPage;
            EXPECT_TRUE(QFileInfo::exists(QStringLiteral(LUDRO_PROGRAM_DIR "/Browser/") + page))
                << window->made()->metaObject()->className() << ": " << page.toStdString();
            if (window->traits().docks)
                docking.push_back(window->made());
        }
    ASSERT_EQ(docking.size(), 4u) << "playlist, equalizer, browser and recorder";

    // Each one below the one before, the first under the main window: a drag
    // of the main window carries them all.
    int top = main.frameGeometry().bottom() + 1;
    std::vector<QImage> looks;
    for (QWidget *window : docking) {
        window->show();
        window->move(main.frameGeometry().left(), top);
        top = window->frameGeometry().bottom() + 1;
        looks.push_back(window->grab().toImage());
    }
    QTest::mousePress(&main, Qt::LeftButton, {}, {60, 8});
    QTest::mouseMove(&main, {90, 28});
    QTest::mouseRelease(&main, Qt::LeftButton, {}, {90, 28});
    ASSERT_EQ(main.pos(), QPoint(130, 120));
    for (QWidget *window : docking)
        EXPECT_EQ(window->frameGeometry().left(), main.frameGeometry().left()) << window->metaObject()->className();

    copyTexture("Ember");
    app.appearance().chooseTexture(QStringLiteral("Ember"));
    ASSERT_EQ(app.settings().texture, "Ember");
    for (std::size_t i = 0; i < docking.size(); ++i)
        EXPECT_NE(docking[i]->grab().toImage(), looks[i]) << docking[i]->metaObject()->className();
}
