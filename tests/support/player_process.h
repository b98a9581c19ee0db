#pragma once

// The real player and ludroctl as processes of their own, with settings, lock
// and command socket in a home folder of the test's, ALSA's "null" device and
// no display.

#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

inline const QString programDir = QStringLiteral(LUDRO_PROGRAM_DIR);

inline QProcessEnvironment playerEnvironment(const QTemporaryDir &home)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("LUDRO_HOME", home.path() + '/');
    environment.insert("XDG_RUNTIME_DIR", home.path());
    environment.insert("LUDRO_ALSA_DEVICE", "null");
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    return environment;
}

// ludroctl's exit status, or -1 when it does not finish.
inline int runLudroctl(const QProcessEnvironment &environment, const QStringList &arguments)
{
    QProcess ctl;
    ctl.setProcessEnvironment(environment);
    ctl.start(programDir + "/ludroctl", arguments);
    return ctl.waitForFinished(20000) ? ctl.exitCode() : -1;
}

// Waits until the running player answers on its command socket; 40199 is a
// command that does nothing.
inline bool playerListening(const QProcessEnvironment &environment)
{
    for (int i = 0; i < 100; ++i) {
        if (runLudroctl(environment, {"40199"}) == 0)
            return true;
        QThread::msleep(100);
    }
    return false;
}
