#include "test_broker.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

#include <csignal>

#include <sys/prctl.h>
#include <unistd.h>

namespace kav::test {
namespace {

int freeLoopbackPort()
{
    QTcpServer probe;
    return probe.listen(QHostAddress::LocalHost, 0) ? probe.serverPort() : 0;
}

bool takesConnections(int port)
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, static_cast<quint16>(port));
    return socket.waitForConnected(200);
}

} // namespace

TestBroker::TestBroker(Options options) : m_options(std::move(options)) {}

TestBroker::~TestBroker()
{
    stop();
}

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
bool TestBroker::writeConfig()
{
    QFile config(m_folder.filePath(QStringLiteral("mosquitto.conf")));
    if (!config.open(QIODevice::WriteOnly))
        return false;
    QString text = QStringLiteral("listener %1 127.0.0.1\nmax_queued_messages 0\nlog_dest stderr\n"
                                  "log_type error\nlog_type warning\nlog_type notice\nlog_type information\n"
                                  "log_type subscribe\n")
                       .arg(m_port);
    text += m_options.passwordFile.isEmpty()
                ? QStringLiteral("allow_anonymous true\n")
                : QStringLiteral("allow_anonymous false\npassword_file %1\n").arg(m_options.passwordFile);
    if (!m_options.tlsFolder.isEmpty())
        text += QStringLiteral("cafile %1/ca.crt\ncertfile %1/server.crt\nkeyfile %1/server.key\n")
                    .arg(m_options.tlsFolder);
    text += m_options.persistence ? QStringLiteral("persistence true\npersistence_location %1/\n").arg(m_folder.path())
                                  : QStringLiteral("persistence false\n");
    if (geteuid() == 0)
        text += QStringLiteral("user root\n");
    return config.write(text.toUtf8()) == text.toUtf8().size();
}

QByteArray TestBroker::retained(const QString& topic, QString& error) const
{
    const QString sub = program(QStringLiteral("mosquitto_sub"), &error);
    if (sub.isEmpty())
        return {};
    QProcess process;
    process.start(sub, {"-h", "127.0.0.1", "-p", QString::number(m_port), "-t", topic, "-C", "1", "-W", "10", "-N"});
    process.waitForFinished(30000);
    const QByteArray value = process.readAllStandardOutput();
    if (value.isEmpty())
        error = QStringLiteral("no retained value on ") + topic;
    return value;
}

bool TestBroker::makeCertificates(const QString& folder, QString& error)
{
    const QString openssl = QStandardPaths::findExecutable(QStringLiteral("openssl"));
    if (openssl.isEmpty()) {
        error = QStringLiteral("openssl is not installed; scripts/setup.sh installs it");
        return false;
    }
    QFile names(folder + QStringLiteral("/names.ext"));
    if (!names.open(QIODevice::WriteOnly) || names.write("subjectAltName=DNS:localhost\n") <= 0)
        return false;
    names.close();
    const QList<QStringList> steps{{"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2", "-subj",
                                    "/CN=Kavendor test CA", "-keyout", "ca.key", "-out", "ca.crt"},
                                   {"req", "-newkey", "rsa:2048", "-nodes", "-subj", "/CN=localhost", "-keyout",
                                    "server.key", "-out", "server.csr"},
                                   {"x509", "-req", "-in", "server.csr", "-CA", "ca.crt", "-CAkey", "ca.key",
                                    "-CAcreateserial", "-days", "2", "-extfile", "names.ext", "-out", "server.crt"}};
    for (const QStringList& step : steps) {
        QProcess process;
        process.setWorkingDirectory(folder);
        process.start(openssl, step);
        if (!process.waitForFinished(30000) || process.exitCode() != 0) {
            error = QStringLiteral("openssl %1 failed: %2").arg(step.first(), process.readAllStandardError());
            return false;
        }
    }
    return true;
}

bool TestBroker::start()
{
    const QString mosquitto = program(QStringLiteral("mosquitto"), &m_error);
    if (mosquitto.isEmpty())
        return false;
    if (m_port == 0)
        m_port = freeLoopbackPort();
    if (m_port == 0 || !writeConfig()) {
        m_error = QStringLiteral("no free port or no configuration for the test broker");
        return false;
    }
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    // A test that is killed must not leave its broker behind.
    m_process.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
    m_process.start(mosquitto, {QStringLiteral("-c"), m_folder.filePath(QStringLiteral("mosquitto.conf"))});
    const QDeadlineTimer deadline(10000);
    while (!deadline.hasExpired()) {
        if (m_process.state() == QProcess::NotRunning)
            break;
        if (takesConnections(m_port))
            return true;
        QThread::msleep(20);
    }
    m_error = QStringLiteral("mosquitto did not start: ") + log();
    return false;
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
