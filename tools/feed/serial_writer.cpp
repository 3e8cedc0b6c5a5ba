#include "serial_writer.h"

#include <cerrno>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace kav {

SerialWriter::~SerialWriter()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool SerialWriter::open(const std::string& device)
{
    m_fd = ::open(device.c_str(), O_WRONLY | O_NOCTTY);
    if (m_fd < 0)
        return false;
    termios settings{};
    // A plain file is fine too; only a terminal has settings to make raw.
    if (::tcgetattr(m_fd, &settings) == 0) {
        ::cfmakeraw(&settings);
        ::tcsetattr(m_fd, TCSANOW, &settings);
    }
    return true;
}

bool SerialWriter::writeLine(const std::string& line)
{
    const std::string bytes = line + '\n';
    std::size_t done = 0;
    while (done < bytes.size()) {
        const auto n = ::write(m_fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace kav
