#pragma once

#include <QByteArray>
#include <QFile>

namespace skelvane::test {

// Whether a file whose name holds `name` ("libQt6Multimedia") is mapped into this process.
inline bool LibraryMapped(const char* name) {
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains(name);
}

// Whether a Qt WebEngine library is mapped into this process.
inline bool WebEngineMapped() {
    return LibraryMapped("libQt6WebEngine");
}

// This process's resident size in kB (VmRSS of /proc/self/status); -1 when unreadable.
inline long ResidentKilobytes() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

} // namespace skelvane::test
