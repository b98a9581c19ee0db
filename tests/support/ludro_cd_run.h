#pragma once

// `ludro-cd` run as users run it, and what its runs leave in a folder.

#include <QDir>
#include <QProcess>

struct ToolRun {
    int status = -1;  // -1: it did not end in time, or crashed
    QString out, err;
};

struct ToolOptions {
    QString envDevice;  // LUDRO_CD_DEVICE, unset when empty
    QString folder;     // the working folder, this one's when empty
    int limitMs = 20000;
};

inline ToolRun ludroCd(const QStringList &args, const ToolOptions &options = {})
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("LUDRO_CD_DEVICE");
    if (!options.envDevice.isEmpty())
        env.insert("LUDRO_CD_DEVICE", options.envDevice);
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(options.folder);
    p.start(LUDRO_PROGRAM_DIR "/ludro-cd", args);
    if (!p.waitForFinished(options.limitMs) || p.exitStatus() != QProcess::NormalExit)
        return {};
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}
