#ifndef PEAKMEMORY_H
#define PEAKMEMORY_H

#include <QByteArray>
#include <QFile>
#include <QString>

// The high-water mark of this process's resident memory in kilobytes, or -1. Unlike
// getrusage's, it starts afresh at exec, so a child does not inherit the parent's peak.
inline long peakResidentKilobytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return -1;
}

#endif
