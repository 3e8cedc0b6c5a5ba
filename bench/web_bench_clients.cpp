// The live web clients of the benchmarks' crowds, in a process of their own at the lowest priority: at
// a track the clients are other machines, so they must not take the CPU of what is measured. Each is
// a bare WebSocket client on one epoll loop that reads the frames as bytes and answers pings; a
// thousand QWebSockets would take more of this machine than the servers they are meant to load.
// Usage: web_bench_clients PORT COUNT [LINES]. Says "ready" once every client has its snapshot,
// "dropped" for each client the server drops, and with LINES "caught up" once every client has had
// the state of that many lines; ends when its standard input closes.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/epoll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct Client {
    int fd = -1;
    bool upgraded = false, snapshot = false, caughtUp = false;
    std::string in;      // bytes read and not yet taken
    std::string message; // the text message being put together from its frames
};

struct Crowd {
    int count = 0;
    long long lines = -1;
    int snapshots = 0, caughtUp = 0;
};

void say(const char* text)
{
    std::puts(text);
    std::fflush(stdout);
}

// A frame from a client: masked, as every client's must be (with a zero key the payload stays as is).
// Only control frames are sent, so the length always fits in one byte.
void sendControl(int fd, unsigned char opcode, std::string_view payload)
{
    std::string frame{char(0x80 | opcode), char(0x80 | payload.size()), 0, 0, 0, 0};
    frame += payload;
    [[maybe_unused]] const ssize_t written = write(fd, frame.data(), frame.size());
}

void take(Client& client, Crowd& crowd)
{
    const std::string& text = client.message;
    if (!client.snapshot && text.find("\"type\":\"snapshot\"") != std::string::npos) {
        client.snapshot = true;
        if (++crowd.snapshots == crowd.count)
            say("ready");
    }
    const auto at = text.find("\"lines\":");
    if (crowd.lines >= 0 && !client.caughtUp && at != std::string::npos &&
        std::strtoll(text.c_str() + at + 8, nullptr, 10) >= crowd.lines) {
        client.caughtUp = true;
        if (++crowd.caughtUp == crowd.count)
            say("caught up");
    }
}

// Takes the complete frames read so far; false when the server closed or broke the connection.
bool readFrames(Client& client, Crowd& crowd)
{
    if (!client.upgraded) {
        const auto end = client.in.find("\r\n\r\n");
        if (end == std::string::npos)
            return true;
        if (client.in.compare(0, 12, "HTTP/1.1 101") != 0)
            return false;
        client.in.erase(0, end + 4);
        client.upgraded = true;
    }
    std::size_t at = 0;
    for (;;) {
        const std::size_t left = client.in.size() - at;
        const auto* bytes = reinterpret_cast<const unsigned char*>(client.in.data() + at);
        if (left < 2)
            break;
        if (bytes[1] & 0x80) // a server never masks
            return false;
        std::uint64_t length = bytes[1] & 0x7f;
        std::size_t head = 2;
        if (length >= 126) {
            head = length == 126 ? 4 : 10;
            if (left < head)
                break;
            length = 0;
            for (std::size_t i = 2; i < head; ++i)
                length = length << 8 | bytes[i];
        }
        if (left < head + length)
            break;
        const std::string_view payload(client.in.data() + at + head, length);
        at += head + length;
        const unsigned opcode = bytes[0] & 0x0f;
        if (opcode == 0x8)
            return false;
        if (opcode == 0x9)
            sendControl(client.fd, 0xA, payload);
        if (opcode > 0x7)
            continue;
        client.message += payload;
        if (bytes[0] & 0x80) {
            take(client, crowd);
            client.message.clear();
            if (client.message.capacity() > 65536) // a snapshot's room, not kept for the small updates
                client.message = {};
        }
    }
    client.in.erase(0, at);
    if (client.in.empty() && client.in.capacity() > 65536)
        client.in = {};
    return true;
}

int connectTo(int port)
{
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (fd < 0 || connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        if (fd >= 0)
            close(fd);
        return -1;
    }
    const std::string request = "GET /ws HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(port) +
                                "\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
                                "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\nSec-WebSocket-Version: 13\r\n\r\n";
    if (write(fd, request.data(), request.size()) != static_cast<ssize_t>(request.size())) {
        close(fd);
        return -1;
    }
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
    return fd;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: web_bench_clients PORT COUNT [LINES]\n");
        return 2;
    }
    setpriority(PRIO_PROCESS, 0, 19);
    rlimit files{};
    getrlimit(RLIMIT_NOFILE, &files);
    files.rlim_cur = files.rlim_max;
    setrlimit(RLIMIT_NOFILE, &files);
    const int port = std::atoi(argv[1]);
    Crowd crowd{std::atoi(argv[2]), argc == 4 ? std::atoll(argv[3]) : -1};
    const int poll = epoll_create1(0);
    epoll_event input{EPOLLIN, {.u64 = ~std::uint64_t{0}}};
    epoll_ctl(poll, EPOLL_CTL_ADD, STDIN_FILENO, &input);
    std::vector<Client> clients(static_cast<std::size_t>(crowd.count));
    for (std::size_t i = 0; i < clients.size(); ++i) {
        clients[i].fd = connectTo(port);
        epoll_event event{EPOLLIN, {.u64 = i}};
        if (clients[i].fd < 0 || epoll_ctl(poll, EPOLL_CTL_ADD, clients[i].fd, &event) != 0)
            say("dropped");
    }
    std::vector<epoll_event> events(256);
    char buffer[65536];
    for (;;) {
        const int ready = epoll_wait(poll, events.data(), static_cast<int>(events.size()), -1);
        for (int e = 0; e < ready; ++e) {
            if (events[e].data.u64 == ~std::uint64_t{0}) {
                if (read(STDIN_FILENO, buffer, sizeof buffer) <= 0)
                    return 0;
                continue;
            }
            Client& client = clients[events[e].data.u64];
            ssize_t got = 0;
            while ((got = read(client.fd, buffer, sizeof buffer)) > 0)
                client.in.append(buffer, static_cast<std::size_t>(got));
            if (got == 0 || (got < 0 && errno != EAGAIN) || !readFrames(client, crowd)) {
                epoll_ctl(poll, EPOLL_CTL_DEL, client.fd, nullptr);
                close(client.fd);
                client = {};
                say("dropped");
            }
        }
    }
}
