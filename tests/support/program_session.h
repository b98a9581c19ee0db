#pragma once

// The whole program in the test's process, as a user starts it, with its
// settings, lock and socket in a home folder of the test's and no disc in
// the drive. The timers can be stepped by hand.

#include "app/ludro_app.h"
#include "core/hand_over.h"
#include "platform/profile_file.h"
#include "support/engine_session.h"
#include "support/files.h"
#include "support/recording_dialogs.h"
#include "support/run_until.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

class ProgramSession : public testing::Test {
protected:
    ProgramSession()
    {
        qputenv("LUDRO_HOME", (home.path() + '/').toUtf8());
        qputenv("XDG_RUNTIME_DIR", home.path().toUtf8());
        qputenv("LUDRO_CD_DEVICE", home.filePath("no-disc.cue").toUtf8());
    }

    // The program started anew (the one before ends first) with "ludro"
    // and `arguments`, shown unless told.
    LudroApp &start(const QStringList &arguments = {"/noSave"}, bool show = true)
    {
        app.reset();
        app.emplace(QStringList{"ludro"} + arguments, dialogs);
        if (show)
            app->show();
        return *app;
    }
    void end() { app.reset(); }

    // A song of the fixtures copied into the home folder.
    QString song(const QString &name, const std::string &from = "l3-44k-stereo-cbr.mp3")
    {
        QDir(home.path()).mkpath(QFileInfo(name).path());
        QFile::copy(QString::fromStdString(fixture(from)), home.filePath(name));
        QFile::setPermissions(home.filePath(name), QFile::ReadOwner | QFile::WriteOwner);
        return home.filePath(name);
    }
    void settings(const QByteArray &lines) { writeFile(home.filePath("LudroPro.ini"), "[Ludro]\n" + lines); }
    platform::ProfileFile saved() const { return platform::ProfileFile::load(home.filePath("LudroPro.ini")); }

    // A texture the build drew, into the home folder's "textures".
    void copyTexture(const QString &name) const
    {
        const QDir drawn(QStringLiteral(LUDRO_PROGRAM_DIR "/textures/") + name);
        QDir(home.path()).mkpath("textures/" + name);
        for (const QString &file : drawn.entryList(QDir::Files))
            QFile::copy(drawn.filePath(file), home.filePath("textures/" + name + '/' + file));
    }

    bool reaches(int playerState, int limitMs = 5000)
    {
        return runUntil([&] { return app->controller().playerState() == playerState; }, limitMs);
    }
    // A command or a hand-over as another program sends it to the message hook.
    void send(std::uintptr_t command) { app->receiveMessage({273, command, 0}); }
    void handOver(const QString &file)
    {
        for (const platform::WindowMessage &message : handOverMessages(file))
            app->receiveMessage(message);
    }
    // Playback goes on: the position moves within three seconds.
    bool playsOn()
    {
        const double at = app->controller().positionSeconds();
        return runUntil([&] { return app->controller().positionSeconds() > at + 0.3; }, 3000);
    }
    void tick()
    {
        app->Timer2Timer();
        app->Timer1Timer();
    }

    QTemporaryDir home;
    RecordingDialogs dialogs;
    std::optional<LudroApp> app;
};
