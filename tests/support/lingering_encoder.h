#pragma once

// An encoder that works as wrapper scripts do: it starts the real work as a
// process of its own and waits for it. The real work here is a long sleep
// whose pid the script writes down, so a test can see whether it outlives
// the job.

#include "support/files.h"
#include "support/run_until.h"

#include <QFile>

#include <sys/types.h>

// The script at `path`, writing the sleeper's pid into `pidFile`.
inline QString writeLingeringEncoder(const QString &path, const QString &pidFile)
{
    writeFile(path, "#!/bin/sh\nsleep 300 &\necho $! > '" + pidFile.toUtf8() + ".part'\nmv '" + pidFile.toUtf8() +
                        ".part' '" + pidFile.toUtf8() + "'\nwait\n");
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

// The sleeper's pid once the script wrote it; 0 when it did not in time.
inline pid_t sleeperOf(const QString &pidFile)
{
    if (!runUntil([&] { return QFile::exists(pidFile); }, 10000))
        return 0;
    return static_cast<pid_t>(readFile(pidFile).trimmed().toInt());
}

inline bool goesAway(pid_t pid)
{
    // No such process, or a zombie that only waits for its reaper.
    const auto gone = [pid] {
        const QByteArray stat = readFile(QStringLiteral("/proc/%1/stat").arg(pid));
        const qsizetype name = stat.lastIndexOf(')');
        return name < 0 || stat.mid(name + 2, 1) == "Z";
    };
    return pid > 0 && runUntil(gone, 10000);
}
