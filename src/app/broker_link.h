#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <chrono>
#include <cstdint>
#include <functional>

#include "feed_publisher.h"
#include "kavendor_device.h"
#include "publisher_settings.h"

class QLabel;

namespace kav {

class MqttFeedChannel;
class MainWindow;
class RaceFeed;
class StateFeed;

// The broker in the program: publishes what the device receives and the program's live state (the run's
// information, the state a newcomer needs, the state document) and each new race event, makes the MQTT
// feed channels the device asks for, reports both in the status area, and offers Settings > Broker. It
// publishes the live state at most every kRefreshInterval, and only after the live state said it changed.
class BrokerLink : public QObject {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds kRefreshInterval{250};
    static constexpr std::chrono::milliseconds kFinishTimeout{3000};
    // How long a run that must deliver everything waits for the broker to take one more message.
    static constexpr std::chrono::milliseconds kDeliveryTimeout{10000};
    // Losses of the MQTT feed go to standard error at once, then at most this often.
    static constexpr std::chrono::milliseconds kLossReportInterval{10000};

    // Made before the main window, whose device asks for its MQTT channel while the window is made.
    BrokerLink();
    ~BrokerLink() override;

    // For MainWindowOptions::MqttChannelMaker.
    KavendorDevice::ChannelMaker feedChannelMaker();

    // Takes the device's received lines, adds Settings > Broker and
    // starts publishing as the settings say: those of settingsFile ("Kavendor.ini"; none: defaults, not
    // written), with host and port from commandLineBroker ("HOST[:PORT]", turns publishing on) and the
    // prefix from commandLineTopic when given. The command line's choices are not written.
    // shown: the race the result topics (retained values and events) show, the live one or the one a
    // broadcast delay holds back; the feed topic always carries the live lines.
    void attach(MainWindow& window, RaceFeed& shown, const QString& settingsFile, const QString& commandLineBroker = {},
                const QString& commandLineTopic = {});

    // The program's state feed: "state" then carries the document the web view serves as
    // /api/state, read while publishing. Until one is given, "state" carries basicStateDocument().
    void setStateFeed(StateFeed* feed);
    // Run, flag and the general information values as one JSON object.
    QByteArray basicStateDocument() const;

    // A line the device received, byte for byte, after the program took it in.
    void takeLine(const QByteArray& line);
    // The state starts again from nothing (a replay that seeks): publishing goes on in a new session,
    // which displays follow from nothing too. While rebuilding() says so, the lines that build the
    // state again go only into the new session's history.
    void startNewSession(std::function<bool()> rebuilding);
    // Every line must reach the broker (a replayed dump): none is dropped while the broker is away, and
    // finish waits for the broker. Set before attach.
    void setDeliverEverything(bool deliver) { m_deliverEverything = deliver; }
    // At the end of the program: publishes the final values and what is still owed, then says offline.
    // What the broker did not take, for the operator; empty when it took everything.
    QString finish();

    // Settings > Broker: shows the dialog and applies and stores what the operator chose.
    void editSettings();
    // Applies settings at once: stops, or (re)starts publishing with them.
    void apply(const PublisherSettings& settings);

    const PublisherSettings& settings() const { return m_settings; }
    FeedPublisher& publisher() { return m_publisher; }
    // The status area's text: the publisher's and the MQTT feed's state; empty when neither is used.
    QString statusText() const;

signals:
    // The MQTT feed could not take more: lines missed and messages dropped, in all.
    void feedLossesChanged(qint64 total);
    // The publisher's broker connection, whenever its status changes.
    void publisherStatusChanged(const kav::BrokerStatus& status);

private:
    void refresh();
    void publishEvents();
    void noteChange();
    void holdFeed(bool hold);
    QByteArray infoDocument() const;
    void followRunName();
    void showStatus();
    void noteFeedLoss();
    void reportFeedLosses();

    FeedPublisher m_publisher;
    PublisherSettings m_settings;
    QString m_settingsFile;
    QString m_problem; // why the settings in force cannot be used
    MainWindow* m_window = nullptr;
    RaceFeed* m_shown = nullptr;
    QPointer<MqttFeedChannel> m_channel;
    QPointer<QLabel> m_statusLabel;
    QString m_runName; // the last run named, for the automatic prefix
    std::function<bool()> m_rebuilding;
    bool m_eventsOfRebuild = false;
    std::uint64_t m_lastEventSeq = 0; // the newest race event published, or passed over while not publishing
    QPointer<StateFeed> m_stateFeed;
    bool m_holdsFeed = false;
    bool m_deliverEverything = false;
    QTimer m_refreshTimer;
    bool m_changedSinceRefresh = false;
    QTimer m_lossReportTimer;
    QString m_lossesReported;
};

} // namespace kav
