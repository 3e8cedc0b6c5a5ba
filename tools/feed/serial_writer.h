#pragma once

#include <string>

namespace kav {

// Writes feed lines to a serial device (or a pty) opened raw, so no byte is translated on the way.
class SerialWriter {
public:
    SerialWriter() = default;
    ~SerialWriter();
    SerialWriter(const SerialWriter&) = delete;
    SerialWriter& operator=(const SerialWriter&) = delete;

    // False with errno set when the device cannot be opened.
    bool open(const std::string& device);
    // One line and its LF, all of it; false when the device fails.
    bool writeLine(const std::string& line);

private:
    int m_fd = -1;
};

} // namespace kav
