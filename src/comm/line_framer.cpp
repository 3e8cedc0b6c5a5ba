#include "line_framer.h"

#include <utility>

namespace kav {

QList<QByteArray> LineFramer::append(QByteArrayView chunk)
{
    QList<QByteArray> lines;
    m_cutter.append(
        std::string_view(chunk.data(), static_cast<std::size_t>(chunk.size())),
        [&lines](std::string_view line) { lines.append(QByteArray(line.data(), static_cast<qsizetype>(line.size()))); },
        [this] { ++m_drops; });
    return lines;
}

int LineFramer::takeDrops()
{
    return std::exchange(m_drops, 0);
}

QByteArray LineFramer::pending() const
{
    return QByteArray::fromStdString(m_cutter.pending());
}

} // namespace kav
