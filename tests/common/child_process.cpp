#include "child_process.h"

#include <QDeadlineTimer>
#include <QRegularExpression>
#include <QStandardPaths>

namespace kav {

ProcessResult runProcess(const QString& program, const QStringList& arguments, const QString& inputFile, int timeoutMs,
                         const QStringList& unset)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    for (const QString& name : unset)
        environment.remove(name);
    process.setProcessEnvironment(environment);
    if (!inputFile.isEmpty())
        process.setStandardInputFile(inputFile);
    process.start(program, arguments);
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    const int status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return {status, process.readAllStandardOutput(), process.readAllStandardError()};
}

quint16 startServing(QProcess& process, const QString& program, const QStringList& arguments)
{
    process.setReadChannel(QProcess::StandardError);
    process.start(program, arguments + QStringList{QStringLiteral("--port"), QStringLiteral("0")});
    const QRegularExpression serving(QStringLiteral("serving on [0-9.]+:(\\d+)"));
    QString said;
    QDeadlineTimer deadline(10000);
    while (!serving.match(said).hasMatch() && process.state() != QProcess::NotRunning && !deadline.hasExpired()) {
        process.waitForReadyRead(100);
        said += QString::fromUtf8(process.readAllStandardError());
    }
    return static_cast<quint16>(serving.match(said).captured(1).toUInt());
}

::testing::AssertionResult toolInstalled(const QString& name)
{
    if (!QStandardPaths::findExecutable(name).isEmpty())
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << name.toStdString()
                                         << " is not installed; scripts/setup.sh installs what the tests need";
}

} // namespace kav
