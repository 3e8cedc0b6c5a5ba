// The live web clients of web_bench's desktop rounds, in a process of their own at the lowest priority:
// at a track the clients are other machines, so they must not take the CPU of the program measured.
// Usage: web_bench_clients PORT COUNT. Says "ready" once every client has its snapshot, and "dropped"
// for each client the program drops; ends when its standard input closes.

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QWebSocket>

#include <cstdio>
#include <sys/resource.h>
#include <unistd.h>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: web_bench_clients PORT COUNT\n");
        return 2;
    }
    setpriority(PRIO_PROCESS, 0, 19);
    const QString port = QString::fromLocal8Bit(argv[1]);
    const int count = QString::fromLocal8Bit(argv[2]).toInt();
    int snapshots = 0;
    for (int i = 0; i < count; ++i) {
        auto* socket = new QWebSocket(QString(), QWebSocketProtocol::VersionLatest, &app);
        QObject::connect(socket, &QWebSocket::textMessageReceived, socket, [&snapshots, count](const QString& text) {
            if (text.contains(QLatin1String("\"type\":\"snapshot\"")) && ++snapshots == count) {
                std::puts("ready");
                std::fflush(stdout);
            }
        });
        QObject::connect(socket, &QWebSocket::disconnected, socket, [] {
            std::puts("dropped");
            std::fflush(stdout);
        });
        socket->open(QUrl(QStringLiteral("ws://127.0.0.1:%1/ws").arg(port)));
    }
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &app, [&input] {
        char byte = 0;
        if (read(STDIN_FILENO, &byte, 1) <= 0) {
            input.setEnabled(false);
            QCoreApplication::quit();
        }
    });
    const int status = QCoreApplication::exec();
    for (QWebSocket* socket : app.findChildren<QWebSocket*>())
        socket->disconnect();
    return status;
}
