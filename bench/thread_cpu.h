#pragma once

// CPU time of each thread of a process, by thread name, in seconds (the
// scheduler's nanosecond count, finer than the clock ticks of /proc/PID/stat).

#include <QDir>
#include <QFile>
#include <QString>

#include <map>

inline std::map<QString, double> threadSeconds(qint64 pid)
{
    std::map<QString, double> seconds;
    const QString tasks = QStringLiteral("/proc/%1/task/").arg(pid);
    for (const QString &task : QDir(tasks).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile name(tasks + task + "/comm"), stat(tasks + task + "/schedstat");
        if (name.open(QIODevice::ReadOnly) && stat.open(QIODevice::ReadOnly))
            seconds[QString::fromUtf8(name.readAll().trimmed())] += stat.readAll().split(' ').value(0).toDouble() / 1e9;
    }
    return seconds;
}

inline double total(const std::map<QString, double> &seconds)
{
    double sum = 0;
    for (const auto &[name, value] : seconds)
        sum += value;
    return sum;
}
