#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

namespace kav::test {

// A Mosquitto broker of the test's own on a free loopback port, with a temporary configuration. A
// missing broker program is a failure, with a message that says so.
class TestBroker {
public:
    struct Options {
        bool persistence = false; // keeps sessions, queued messages and retained values across a restart
        QString tlsFolder;        // set: TLS only, with server.crt and server.key from this folder
        QString passwordFile;     // set: only the users of this mosquitto_passwd file may connect
        int maxQueued = 0;        // messages queued for a client that is behind, the rest dropped; 0: no limit
    };

    explicit TestBroker(Options options) : m_options(std::move(options)) {}
    TestBroker() : TestBroker(Options{}) {}
    ~TestBroker() { stop(); }

    // Starts it and waits until it takes connections; false, with error() saying why, when it does not.
    bool start();
    // Stops it as an operator would (it saves its persistence first) and waits until it is gone.
    void stop();
    int port() const { return m_port; }
    // "127.0.0.1:PORT", as --mqtt takes it.
    QString address() const { return QStringLiteral("127.0.0.1:%1").arg(m_port); }
    const QString& error() const { return m_error; }
    QString log();

    // The retained value of a topic as another client reads it with mosquitto_sub; empty, with error
    // saying why, when there is none or mosquitto_sub is missing.
    QByteArray retained(const QString& topic, QString& error, int waitSeconds = 10) const;

    // The full path of a Mosquitto program, or empty (with error set) when it is not installed.
    static QString program(const QString& name, QString* error = nullptr);

private:
    void writeConfig();

    Options m_options;
    QTemporaryDir m_folder;
    QProcess m_process;
    QString m_log;
    QString m_error;
    int m_port = 0;
};

} // namespace kav::test
