#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace kav {

// The one rule that cuts the feed's bytes into lines, for the program's device and for kavendor-feed:
// a line ends at each LF, the LF kept; a CR before it stays part of the line. A line longer than
// kMaxLine without its LF is dropped, since no feed line comes near it and an endless stream without
// LF must not exhaust memory; cutting resumes after the next LF.
class LineCutter {
public:
    static constexpr char kTerminator = '\n';
    static constexpr std::size_t kMaxLine = 64 * 1024;
    // A completed line with its LF; the view lasts only for the call.
    using LineSink = std::function<void(std::string_view line)>;
    using DropSink = std::function<void()>;

    // Takes the next bytes of the stream; the lines they complete and the lines they drop are told in
    // the order they come.
    void append(std::string_view chunk, const LineSink& onLine, const DropSink& onDrop);

    // The bytes after the last LF, waiting for the rest of their line.
    const std::string& pending() const { return m_pending; }
    // Whether the stream so far stops inside a line, waiting or being dropped: if it ends here, that
    // last line has no LF and is never handed on.
    bool insideLine() const { return m_skipping || !m_pending.empty(); }

private:
    std::size_t skipRestOfDroppedLine(std::string_view chunk);
    void takeLine(std::string_view part, const LineSink& onLine, const DropSink& onDrop);
    void keep(std::string_view rest, const DropSink& onDrop);

    std::string m_pending;
    bool m_skipping = false;
};

} // namespace kav
