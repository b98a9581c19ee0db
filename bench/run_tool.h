#pragma once

// Runs a helper program of a benchmark (the song maker, lame, mpg123) to its
// end, its output discarded.

#include <QProcess>
#include <QStringList>

inline bool runTool(const QString &program, const QStringList &args)
{
    QProcess p;
    p.setStandardOutputFile(QProcess::nullDevice());
    p.start(program, args);
    return p.waitForFinished(600000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}
