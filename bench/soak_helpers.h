#pragma once

#include <QByteArray>
#include <QFile>
#include <QList>

#include <random>
#include <unistd.h>

namespace kav {

// Resident memory of this process in bytes, -1 when the kernel does not tell.
inline qint64 residentBytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toLongLong() * ::sysconf(_SC_PAGESIZE) : -1;
}

// Bytes of every value, as a line with a bad cable or a wrong baud rate delivers them.
inline QByteArray randomBytes(std::mt19937& rng, qsizetype size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    std::uniform_int_distribution<int> byte(0, 255);
    for (char& c : bytes)
        c = static_cast<char>(byte(rng));
    return bytes;
}

} // namespace kav
