// The programs of a relay set-up, for the tests and the benchmark that run one on loopback: relays
// (kavendor without a window, fed by a broker, serving the web view) and nginx in front of them.
#pragma once

#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>

#include <vector>

#include "temporary_folder.h"
#include "test_broker.h"

namespace kav {

// Ports free on the loopback address, all different: each is held until all are chosen.
inline QList<quint16> freePorts(int count)
{
    std::vector<QTcpServer> probes(static_cast<std::size_t>(count));
    QList<quint16> ports;
    for (QTcpServer& probe : probes)
        ports.append(probe.listen(QHostAddress::LocalHost, 0) ? probe.serverPort() : 0);
    return ports;
}

// A Communication.ini taking the feed from the broker under topic.
inline QString feedFromBroker(const test::TestBroker& broker, const QString& topic, const QString& clientId)
{
    return QStringLiteral("[Communication]\nCommType=MQTT\n\n[Communication\\MQTT]\nMQTT_Host=127.0.0.1\n"
                          "MQTT_Port=%1\nMQTT_Topic=%2\nMQTT_ClientId=%3\n")
        .arg(broker.port())
        .arg(topic, clientId);
}

// A relay: `kavendor --headless` with its feed from the broker and the web view on webPort, taking
// every client of a proxy's one address. It is killed when it goes, as a QProcess is.
struct Relay {
    Relay(const QTemporaryDir& dir, const QString& name, const test::TestBroker& broker, quint16 webPort,
          int maxClients = 1000)
    {
        const QString folder = dir.filePath(name);
        writeFile((folder + "/Communication.ini").toStdString(),
                  feedFromBroker(broker, "kavendor/+", name).toStdString());
        writeFile(
            (folder + "/Kavendor.ini").toStdString(),
            QStringLiteral("[MainWin]\r\nMarkerDelay=30\r\n[WebView]\r\nMaxClients=%1\r\nMaxClientsPerAddress=0\r\n")
                .arg(maxClients)
                .toStdString());
        process.start(KAV_PROGRAM, {"--headless", "--config-dir", folder, "--web", QString::number(webPort)});
    }
    QProcess process;
};

// nginx from the distribution with a configuration of the test's own, in front of the relays as the
// manual sets it up: the WebSocket upgrade passed on, a relay that fails taken out.
struct Proxy {
    Proxy(const QTemporaryDir& dir, quint16 port, const QList<quint16>& relays) : folder(dir.filePath("nginx"))
    {
        QString servers;
        for (const quint16 relay : relays)
            servers += QStringLiteral("server 127.0.0.1:%1 max_fails=1 fail_timeout=10s; ").arg(relay);
        writeFile((folder + "/nginx.conf").toStdString(),
                  QString::fromStdString(readFile(KAV_SOURCE_DIR "/demo/nginx.conf"))
                      .replace("@FOLDER@", folder)
                      .replace("@SERVERS@", servers)
                      .replace("@PORT@", QString::number(port))
                      .toStdString());
        process.start("nginx", {"-p", folder, "-c", folder + "/nginx.conf", "-e", folder + "/error.log"});
    }
    ~Proxy() { process.terminate(), process.waitForFinished(); }
    QString folder;
    QProcess process;
};

} // namespace kav
