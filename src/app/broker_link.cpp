#include "broker_link.h"

#include <QDialog>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>

#include <algorithm>
#include <array>
#include <cstdio>
#include <limits>
#include <utility>

#include "broker_settings_dialog.h"
#include "feed_text.h"
#include "main_window.h"
#include "mqtt_feed_channel.h"
#include "race_events.h"
#include "state_burst.h"
#include "state_feed.h"
#include "topic_names.h"
#include "ui_prompter.h"

namespace kav {
namespace {

// The general information items as the info document names them.
constexpr std::array<std::pair<int, const char*>, 9> kInfoKeys{{
    {RunInfo::kLapsToGo, "laps_to_go"},
    {RunInfo::kRaceTime, "race_time"},
    {RunInfo::kBestLap, "best_lap"},
    {RunInfo::kBestLapTime, "best_lap_time"},
    {RunInfo::kBestSpeed, "best_speed"},
    {RunInfo::kName, "best_lap_name"},
    {RunInfo::kTrackLength, "track_length"},
    {RunInfo::kTrackName, "track_name"},
    {RunInfo::kRun, "run"},
}};

// With the field names of the state document's events.
QByteArray eventDocument(const RaceEvent& event)
{
    const QJsonObject document{{"seq", qint64(event.seq)},
                               {"raceTime", QString::fromLatin1(event.raceTimeText())},
                               {"kind", QString::fromLatin1(eventTag(event.kind))},
                               {"car", feedText(event.car)},
                               {"class", feedText(event.carClass)},
                               {"text", feedText(event.text)}};
    return QJsonDocument(document).toJson(QJsonDocument::Compact);
}

} // namespace

BrokerLink::BrokerLink()
{
    m_refreshTimer.setSingleShot(true);
    m_refreshTimer.setInterval(kRefreshInterval);
    connect(&m_refreshTimer, &QTimer::timeout, this, &BrokerLink::refresh);
    connect(&m_publisher, &FeedPublisher::statusChanged, this, &BrokerLink::showStatus);
    connect(&m_publisher, &FeedPublisher::statusChanged, this,
            [this] { emit publisherStatusChanged(m_publisher.brokerStatus()); });
    connect(&m_publisher, &FeedPublisher::rivalFound, this,
            [](const QString& problem) { std::fprintf(stderr, "kavendor: broker: %s\n", qUtf8Printable(problem)); });
    m_lossReportTimer.setSingleShot(true);
    m_lossReportTimer.setInterval(kLossReportInterval);
    connect(&m_lossReportTimer, &QTimer::timeout, this, &BrokerLink::reportFeedLosses);
}

BrokerLink::~BrokerLink()
{
    blockSignals(true);
    m_publisher.blockSignals(true);
}

KavendorDevice::ChannelMaker BrokerLink::feedChannelMaker()
{
    return [this](const CommunicationSettings& settings) -> std::unique_ptr<Communication> {
        auto channel = std::make_unique<MqttFeedChannel>(settings.mqtt);
        m_channel = channel.get();
        connect(channel.get(), &MqttFeedChannel::statusChanged, this, &BrokerLink::showStatus);
        connect(channel.get(), &MqttFeedChannel::lossesChanged, this, &BrokerLink::noteFeedLoss);
        QTimer::singleShot(0, this, &BrokerLink::showStatus);
        return channel;
    };
}

void BrokerLink::attach(MainWindow& window, RaceFeed& shown, const QString& settingsFile,
                        const QString& commandLineBroker, const QString& commandLineTopic)
{
    m_window = &window;
    m_shown = &shown;
    m_settingsFile = settingsFile;
    PublisherSettings settings = settingsFile.isEmpty() ? PublisherSettings() : readPublisherSettings(settingsFile);
    if (const auto hostAndPort = parseHostAndPort(commandLineBroker)) {
        settings.enabled = true;
        settings.connection.host = hostAndPort->first;
        settings.connection.port = hostAndPort->second;
    }
    if (!commandLineTopic.isEmpty())
        settings.topicPrefix = commandLineTopic;
    connect(window.device(), &Device::lineReceived, this, &BrokerLink::takeLine);
    connect(&shown.Info, &RunInfo::changed, this, &BrokerLink::noteChange);
    connect(&shown.Info, &RunInfo::lineCounted, this, &BrokerLink::noteChange);
    connect(&shown.Records, &RecordProcessor::eventsChanged, this, &BrokerLink::publishEvents);
    window.settingsMenu()->addAction(QStringLiteral("&Broker..."), this, &BrokerLink::editSettings);
    apply(settings);
}

void BrokerLink::apply(const PublisherSettings& settings)
{
    m_settings = settings;
    m_problem = checkPublisherSettings(settings);
    m_publisher.stop();
    m_publisher.setOutboxCapacity(m_deliverEverything ? std::numeric_limits<std::size_t>::max()
                                                      : LineOutbox::kCapacity);
    if (settings.enabled && m_problem.isEmpty()) {
        m_publisher.setTopicPrefix(settings.topicPrefix.isEmpty() ? automaticTopicPrefix(m_runName)
                                                                  : settings.topicPrefix);
        m_publisher.start(settings.connection);
        m_changedSinceRefresh = true;
        m_refreshTimer.start();
    }
    holdFeed(m_publisher.isRunning());
    showStatus();
}

void BrokerLink::editSettings()
{
    BrokerSettingsDialog dialog(m_window);
    dialog.setSettings(m_settings);
    if (prompter().exec(dialog) != QDialog::Accepted)
        return;
    const PublisherSettings chosen = dialog.settings();
    if (!m_settingsFile.isEmpty()) {
        try {
            writePublisherSettings(m_settingsFile, chosen);
        } catch (const std::exception& error) {
            prompter().tell(BoxKind::Error, QString::fromStdString(error.what()), m_window);
        }
    }
    apply(chosen);
}

// The run is followed while publishing is off too, so that turning it on mid-run finds it.
void BrokerLink::takeLine(const QByteArray& line)
{
    if (m_publisher.isRunning() && m_rebuilding && m_rebuilding())
        m_publisher.recordLine(line);
    else if (m_publisher.isRunning())
        m_publisher.publishLine(line);
    followRunName();
}

// The lines that rebuild the state go into the new session's history, not out as news, and so do the
// events they make: the first events published are those after the rebuild.
void BrokerLink::startNewSession(std::function<bool()> rebuilding)
{
    m_rebuilding = std::move(rebuilding);
    m_eventsOfRebuild = true;
    m_publisher.startNewSession();
    noteChange();
}

// Sequence numbers grow across runs, so a new run's emptied list publishes nothing and a run's first
// event is never taken for one already sent.
void BrokerLink::publishEvents()
{
    const auto& events = m_shown->State.events().events();
    const auto newer = std::partition_point(events.begin(), events.end(),
                                            [this](const RaceEvent& event) { return event.seq <= m_lastEventSeq; });
    if (std::exchange(m_eventsOfRebuild, false)) {
        m_lastEventSeq = events.empty() ? 0 : events.back().seq;
        return;
    }
    for (auto event = newer; event != events.end(); ++event) {
        m_lastEventSeq = event->seq;
        if (m_publisher.isRunning())
            m_publisher.publishEvent(eventDocument(*event), event->seq);
    }
}

void BrokerLink::noteChange()
{
    if (!m_publisher.isRunning())
        return;
    m_changedSinceRefresh = true;
    if (!m_refreshTimer.isActive())
        m_refreshTimer.start();
}

void BrokerLink::setStateFeed(StateFeed* feed)
{
    holdFeed(false);
    if (m_stateFeed)
        m_stateFeed->disconnect(this);
    m_stateFeed = feed;
    if (feed)
        connect(feed, &StateFeed::updated, this, &BrokerLink::noteChange);
    holdFeed(m_publisher.isRunning());
}

// The feed builds its document only while somebody reads it.
void BrokerLink::holdFeed(bool hold)
{
    if (!m_stateFeed || hold == m_holdsFeed)
        return;
    m_holdsFeed = hold;
    if (hold)
        m_stateFeed->hold();
    else
        m_stateFeed->release();
}

// Without a prefix of the operator's, each newly named run gets its own topics; the $B line that names
// it is still published under the old ones.
void BrokerLink::followRunName()
{
    const LatestRunRecords& latest = m_window->controller().State.Latest;
    if (!latest.run() || latest.run()->Description.empty())
        return;
    const QString name = feedText(latest.run()->Description);
    if (name == m_runName)
        return;
    m_runName = name;
    if (m_settings.topicPrefix.isEmpty())
        m_publisher.setTopicPrefix(automaticTopicPrefix(name));
}

QString BrokerLink::finish()
{
    reportFeedLosses();
    if (!m_publisher.isRunning())
        return {};
    m_changedSinceRefresh = true;
    refresh();
    const QString address = m_publisher.brokerStatus().address;
    const FeedPublisher::FinishReport report =
        m_publisher.finish(m_deliverEverything ? kDeliveryTimeout : kFinishTimeout, m_deliverEverything);
    if (report.complete())
        return {};
    QString problem = QStringLiteral("the broker %1 did not take %2 of %3 lines")
                          .arg(address)
                          .arg(report.linesNotDelivered)
                          .arg(report.linesPublished);
    if (report.eventsNotDelivered > 0)
        problem += QStringLiteral(" and %1 of %2 events").arg(report.eventsNotDelivered).arg(report.eventsPublished);
    if (!report.retainedDelivered)
        problem += QStringLiteral(" and the final retained values");
    if (!report.problem.isEmpty())
        problem += QStringLiteral(" (%1)").arg(report.problem);
    return problem;
}

// Runs at most every kRefreshInterval, and only after a change: the burst costs a pass over every list.
void BrokerLink::refresh()
{
    if (!m_window || !m_publisher.isRunning() || !m_changedSinceRefresh)
        return;
    if (m_stateFeed)
        m_stateFeed->publishNow();
    m_changedSinceRefresh = false;
    const RaceState& state = m_shown->State;
    const RunInfo& info = m_shown->Info;
    const std::string burst = buildStateBurst(state, m_window->settings().value(), state.Latest);
    m_publisher.setBurst(QByteArray::fromStdString(burst), m_publisher.lastSequence());
    m_publisher.setRetained(topic::kFlag, flagOrFinishWord(info.flag(), info.finished()).toUtf8());
    m_publisher.setRetained(topic::kRun, feedText(state.RunName).toUtf8());
    m_publisher.setRetained(topic::kInfo, infoDocument());
    m_publisher.setRetained(topic::kState, m_stateFeed ? m_stateFeed->snapshot() : basicStateDocument());
    showStatus();
}

QByteArray BrokerLink::infoDocument() const
{
    QJsonObject info;
    for (const auto& [item, key] : kInfoKeys)
        info.insert(QLatin1String(key), m_shown->Info.value(item).trimmed());
    return QJsonDocument(info).toJson(QJsonDocument::Compact);
}

QByteArray BrokerLink::basicStateDocument() const
{
    QJsonObject document;
    document.insert(QStringLiteral("run"), feedText(m_shown->State.RunName));
    const RunInfo& info = m_shown->Info;
    document.insert(QStringLiteral("flag"), flagOrFinishWord(info.flag(), info.finished()));
    document.insert(QStringLiteral("info"), QJsonDocument::fromJson(infoDocument()).object());
    return QJsonDocument(document).toJson(QJsonDocument::Compact);
}

QString BrokerLink::statusText() const
{
    QStringList parts;
    if (m_settings.enabled)
        parts << QStringLiteral("Broker: ") + (m_problem.isEmpty() ? m_publisher.statusText() : m_problem);
    if (m_channel && m_channel->isOpen())
        parts << m_channel->statusText();
    return parts.join(QStringLiteral("    "));
}

void BrokerLink::noteFeedLoss()
{
    showStatus();
    if (m_channel)
        emit feedLossesChanged(static_cast<qint64>(m_channel->losses().total()));
    if (m_lossReportTimer.isActive())
        return;
    reportFeedLosses();
    m_lossReportTimer.start();
}

// Only what changed since the last report: a flood of bad messages gives one line per interval.
void BrokerLink::reportFeedLosses()
{
    const QString losses = m_channel ? m_channel->losses().text() : QString();
    if (losses == m_lossesReported)
        return;
    m_lossesReported = losses;
    std::fprintf(stderr, "kavendor: feed from the broker: %s\n", qUtf8Printable(losses));
}

// The label appears the first time there is something to say, in red while something is wrong.
void BrokerLink::showStatus()
{
    if (!m_window)
        return;
    const QString text = statusText();
    if (text.isEmpty() && !m_statusLabel)
        return;
    if (!m_statusLabel) {
        m_statusLabel = new QLabel;
        m_statusLabel->setObjectName(QStringLiteral("BrokerStatusLabel"));
        m_window->statusBar()->addPermanentWidget(m_statusLabel, 1);
    }
    const bool publisherTrouble =
        m_settings.enabled && (!m_problem.isEmpty() || !m_publisher.rival().isEmpty() ||
                               m_publisher.brokerStatus().state != BrokerStatus::State::Connected);
    const bool feedTrouble =
        m_channel && m_channel->isOpen() &&
        (m_channel->brokerStatus().state != BrokerStatus::State::Connected || !m_channel->publisherOnline());
    m_statusLabel->setStyleSheet(publisherTrouble || feedTrouble ? QStringLiteral("color: #c00000;") : QString());
    m_statusLabel->setText(text);
}

} // namespace kav
