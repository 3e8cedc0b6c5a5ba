// The kavendor program publishing a replayed race to a real Mosquitto broker, and other kavendor
// programs taking their feed from it: from the start, late, and across a broker restart.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtCore/qtestsupport_core.h>

#include <memory>

#include "test_broker.h"

namespace kav {
namespace {

constexpr int kWait = 60000; // milliseconds
const QString kFeed = QStringLiteral(KAV_TEST_DATA "/feeds/race6.feed");

QByteArray readAll(const QString& file)
{
    QFile in(file);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

std::unique_ptr<QProcess> startProgram(const QStringList& arguments)
{
    auto process = std::make_unique<QProcess>();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process->setProcessEnvironment(environment);
    process->start(QStringLiteral(KAV_PROGRAM), arguments);
    return process;
}

int waitForExit(QProcess& process)
{
    if (!process.waitForFinished(kWait)) {
        process.kill();
        process.waitForFinished();
    }
    const int status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    EXPECT_EQ(status, 0) << process.readAllStandardError().toStdString();
    return status;
}

// Settings for a program of the test: markers that do not age while the race is replayed, so that
// programs reading the same lines at slightly different moments show the same pictures.
QString configFolder(const QTemporaryDir& dir, const QString& name)
{
    const QString folder = dir.filePath(name);
    QDir().mkpath(folder);
    QFile settings(folder + "/Kavendor.ini");
    EXPECT_TRUE(settings.open(QIODevice::WriteOnly));
    settings.write("[MainWin]\r\nMarkerDelay=30\r\n");
    return folder;
}

// A display program taking its feed from the broker, recording it; settings, recording and dump in its
// own folder.
struct Display {
    Display(const QTemporaryDir& dir, const QString& name, int port, const QString& topic)
        : folder(configFolder(dir, name))
    {
        QFile comm(folder + "/Communication.ini");
        EXPECT_TRUE(comm.open(QIODevice::WriteOnly));
        comm.write(QStringLiteral("[Communication]\nCommType=MQTT\n\n[Communication\\MQTT]\nMQTT_Host=127.0.0.1\n"
                                  "MQTT_Port=%1\nMQTT_Topic=%2\nMQTT_ClientId=%3\n")
                       .arg(port)
                       .arg(topic, name)
                       .toUtf8());
        comm.close();
        process =
            startProgram({"--config-dir", folder, "--dump", folder + "/out", "--record", folder + "/received.feed"});
    }
    int linesReceived() const { return int(readAll(folder + "/received.feed").count('\n')); }
    QString folder;
    std::unique_ptr<QProcess> process;
};

bool subscribed(test::TestBroker& broker, const QString& clientId, const QString& topic)
{
    return QTest::qWaitFor([&] { return broker.log().contains(clientId + " 1 " + topic + "/status"); }, kWait);
}

std::unique_ptr<QProcess> startPublisher(const QTemporaryDir& dir, const QStringList& arguments)
{
    return startProgram(QStringList{"--config-dir", configFolder(dir, "publisher"), "--replay", kFeed, "--dump",
                                    dir.filePath("publisher/out")} +
                        arguments);
}

QStringList dumpFiles(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

void expectSameDump(const QString& expected, const QString& actual)
{
    EXPECT_EQ(dumpFiles(actual), dumpFiles(expected));
    for (const QString& file : dumpFiles(expected))
        EXPECT_EQ(readAll(actual + '/' + file).toStdString(), readAll(expected + '/' + file).toStdString())
            << file.toStdString();
}

// The lines of a dump file; split at every comma, which is enough to compare two dumps.
QStringList csvLines(const QString& file)
{
    QStringList lines = QString::fromUtf8(readAll(file)).split(QStringLiteral("\r\n"));
    lines.removeAll(QString());
    return lines;
}

// The race standings without the marker column, whose pictures age with the clock.
QList<QStringList> standings(const QString& folder)
{
    QList<QStringList> rows;
    for (const QString& line : csvLines(folder + "/ResultWin1.csv")) {
        rows.append(line.split(u','));
        rows.last().removeAt(1);
    }
    return rows;
}

// The general information values of a --dump, by caption.
QMap<QString, QString> generalInformation(const QString& folder)
{
    QMap<QString, QString> values;
    for (const QString& line : csvLines(folder + "/geninfo.csv")) {
        const QStringList row = line.split(u',');
        values.insert(row.value(0), row.value(1).trimmed());
    }
    return values;
}

TEST(ProgramWithBroker, SubscribersFromTheStartAndLateOnesShowWhatThePublisherShows)
{
    test::TestBroker broker;
    ASSERT_TRUE(broker.start()) << broker.error().toStdString();
    QTemporaryDir dir;
    Display early(dir, "display-early", broker.port(), "kavendor/+");
    ASSERT_TRUE(subscribed(broker, "display-early", "kavendor/+"));

    // The publisher's prefix follows the run's name; the displays follow any run.
    auto publisher = startPublisher(dir, {"--rate", "100", "--mqtt", broker.address()});
    ASSERT_TRUE(QTest::qWaitFor([&] { return early.linesReceived() > 175; }, kWait));
    Display late(dir, "display-late", broker.port(), "kavendor/+");

    waitForExit(*publisher);
    waitForExit(*early.process);
    waitForExit(*late.process);
    EXPECT_LT(late.linesReceived(), 351) << "the late display did not join late";
    expectSameDump(dir.filePath("publisher/out"), early.folder + "/out");
    EXPECT_EQ(standings(late.folder + "/out"), standings(dir.filePath("publisher/out")));

    QString error;
    const QJsonObject state =
        QJsonDocument::fromJson(broker.retained("kavendor/race-1-brenmoor-cup/state", error)).object();
    ASSERT_TRUE(error.isEmpty()) << error.toStdString();
    // The web view's document: the run as the panel shows it, and the race's rows as its window shows them.
    const QMap<QString, QString> shown = generalInformation(dir.filePath("publisher/out"));
    const QJsonObject run = state.value("run").toObject();
    EXPECT_EQ(run.value("name").toString(), shown.value("Run:"));
    EXPECT_TRUE(run.value("finished").toBool());
    EXPECT_EQ(run.value("lapsToGo").toString().trimmed(), shown.value("Laps to Go:"));
    const int kind = state.value("windows").toArray().at(0).toObject().value("kind").toInt();
    const QJsonArray rows =
        state.value("kinds").toObject().value(QString::number(kind)).toObject().value("rows").toArray();
    EXPECT_EQ(rows.size() + 1, standings(dir.filePath("publisher/out")).size()); // and the header row
}

// Stopped and started again while the race runs: the display's recording is the feed, line for line.
TEST(ProgramWithBroker, BrokerRestartMidRaceLosesAndRepeatsNoLine)
{
    test::TestBroker::Options options;
    options.persistence = true;
    test::TestBroker broker(options);
    ASSERT_TRUE(broker.start()) << broker.error().toStdString();
    QTemporaryDir dir;
    Display display(dir, "display-restart", broker.port(), "brenmoor/race");
    ASSERT_TRUE(subscribed(broker, "display-restart", "brenmoor/race"));

    auto publisher = startPublisher(dir, {"--rate", "60", "--mqtt", broker.address(), "--mqtt-topic", "brenmoor/race"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return display.linesReceived() > 100; }, kWait));
    broker.stop();
    ASSERT_TRUE(broker.start()) << broker.error().toStdString();

    waitForExit(*publisher);
    waitForExit(*display.process);
    EXPECT_EQ(readAll(display.folder + "/received.feed"), readAll(kFeed));
    expectSameDump(dir.filePath("publisher/out"), display.folder + "/out");
}

} // namespace
} // namespace kav
