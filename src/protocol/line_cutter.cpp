#include "line_cutter.h"

#include <utility>

namespace kav {

void LineCutter::append(std::string_view chunk, const LineSink& onLine, const DropSink& onDrop)
{
    std::size_t pos = skipRestOfDroppedLine(chunk);
    if (pos == std::string_view::npos)
        return;
    for (std::size_t lf = chunk.find(kTerminator, pos); lf != std::string_view::npos;
         lf = chunk.find(kTerminator, pos)) {
        takeLine(chunk.substr(pos, lf + 1 - pos), onLine, onDrop);
        pos = lf + 1;
    }
    keep(chunk.substr(pos), onDrop);
}

// Where cutting starts in the chunk: after the LF that ends a dropped line, or npos when the whole
// chunk still belongs to it.
std::size_t LineCutter::skipRestOfDroppedLine(std::string_view chunk)
{
    if (!m_skipping)
        return 0;
    const std::size_t lf = chunk.find(kTerminator);
    if (lf == std::string_view::npos)
        return lf;
    m_skipping = false;
    return lf + 1;
}

void LineCutter::takeLine(std::string_view part, const LineSink& onLine, const DropSink& onDrop)
{
    if (m_pending.size() + part.size() - 1 > kMaxLine) {
        m_pending.clear();
        onDrop();
        return;
    }
    if (m_pending.empty()) {
        onLine(part);
        return;
    }
    m_pending.append(part);
    const std::string line = std::exchange(m_pending, std::string());
    onLine(line);
}

void LineCutter::keep(std::string_view rest, const DropSink& onDrop)
{
    if (m_pending.size() + rest.size() > kMaxLine) {
        m_pending.clear();
        m_skipping = true;
        onDrop();
        return;
    }
    m_pending.append(rest);
}

} // namespace kav
