#pragma once

#include <QString>

#include <ostream>

// Readable failure messages for QString values: GoogleTest finds PrintTo by argument-dependent lookup.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}
