#pragma once

#include <malloc.h>

#include <QByteArray>
#include <QFile>

// Peak memory of a piece of work, from the kernel's own count of the process's resident pages.
namespace bench {

// A field of /proc/self/status in bytes; -1 when it cannot be read.
inline double statusBytes(const QByteArray& field) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text)) {
        return -1;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(field + ':')) {
            return line.mid(field.size() + 1).trimmed().split(' ').first().toDouble() * 1024.0;
        }
    }
    return -1;
}

// Bytes the resident size grew to at most while `work` ran; -1 when it cannot be measured or
// the work failed. Freed heap goes back to the system first, so one measurement does not
// hide in what an earlier one left behind.
template <typename Work>
double peakGrowth(Work work) {
    malloc_trim(0);
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    const double before = statusBytes("VmRSS");
    if (!clear.open(QIODevice::WriteOnly) || clear.write("5") != 1 || before < 0) {
        return -1;
    }
    clear.close();
    return work() ? statusBytes("VmHWM") - before : -1;
}

}  // namespace bench
