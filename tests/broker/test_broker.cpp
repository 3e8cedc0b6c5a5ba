#include "test_broker.h"

#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>

#include <csignal>

#include <sys/prctl.h>
#include <unistd.h>

#include "child_process.h"
#include "temporary_folder.h"
#include "wait_for.h"

namespace kav::test {

QString TestBroker::program(const QString& name, QString* error)
{
    QString path = QStandardPaths::findExecutable(name);
    if (path.isEmpty())
        path = QStandardPaths::findExecutable(name, {QStringLiteral("/usr/sbin"), QStringLiteral("/usr/local/sbin")});
    if (path.isEmpty() && error)
        *error = name + QStringLiteral(" is not installed; scripts/setup.sh installs mosquitto and mosquitto-clients");
    return path;
}

// As root the broker would drop to the user "mosquitto", who cannot write the test's folder.
void TestBroker::writeConfig()
{
    QString text = QStringLiteral("listener %1 127.0.0.1\nmax_queued_messages %2\nlog_dest stderr\n"
                                  "log_type error\nlog_type warning\nlog_type notice\nlog_type information\n"
                                  "log_type subscribe\n")
                       .arg(m_port)
                       .arg(m_options.maxQueued);
    text += m_options.passwordFile.isEmpty()
                ? QStringLiteral("allow_anonymous true\n")
                : QStringLiteral("allow_anonymous false\npassword_file %1\n").arg(m_options.passwordFile);
    if (!m_options.tlsFolder.isEmpty())
        text += QStringLiteral("certfile %1/server.crt\nkeyfile %1/server.key\n").arg(m_options.tlsFolder);
    if (m_options.persistence)
        text += QStringLiteral("persistence true\npersistence_location %1/\n").arg(m_folder.path());
    if (geteuid() == 0)
        text += QStringLiteral("user root\n");
    writeFile(m_folder.filePath(QStringLiteral("mosquitto.conf")).toStdString(), text.toStdString());
}

QByteArray TestBroker::retained(const QString& topic, QString& error, int waitSeconds) const
{
    const QString sub = program(QStringLiteral("mosquitto_sub"), &error);
    const QByteArray value = runProcess(sub, {"-h", "127.0.0.1", "-p", QString::number(m_port), "-t", topic, "-C", "1",
                                              "-W", QString::number(waitSeconds), "-N"})
                                 .out;
    if (value.isEmpty() && error.isEmpty())
        error = QStringLiteral("no retained value on ") + topic;
    return value;
}

bool TestBroker::start()
{
    const QString mosquitto = program(QStringLiteral("mosquitto"), &m_error);
    if (mosquitto.isEmpty())
        return false;
    if (m_port == 0) {
        QTcpServer probe;
        m_port = probe.listen(QHostAddress::LocalHost, 0) ? probe.serverPort() : 0;
    }
    writeConfig();
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    // A test that is killed must not leave its broker behind.
    m_process.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
    m_process.start(mosquitto, {QStringLiteral("-c"), m_folder.filePath(QStringLiteral("mosquitto.conf"))});
    const bool started = waitFor([&] {
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, static_cast<quint16>(m_port));
        return m_process.state() == QProcess::NotRunning || socket.waitForConnected(200);
    });
    if (!started || m_process.state() == QProcess::NotRunning)
        m_error = QStringLiteral("mosquitto did not start: ") + log();
    return m_error.isEmpty();
}

void TestBroker::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(10000)) {
        m_process.kill();
        m_process.waitForFinished();
    }
    log();
}

QString TestBroker::log()
{
    m_log += QString::fromLocal8Bit(m_process.readAll());
    return m_log;
}

} // namespace kav::test
