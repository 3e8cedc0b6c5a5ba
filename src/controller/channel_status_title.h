#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include "channel_state.h"
#include "communication_settings.h"

class QWidget;

namespace kav {

class KavendorDevice;

// Keeps a window's title saying what the feed channel does, after the program's caption:
// "Kavendor  v3.2 - connected to localhost:50000", "... - waiting to reconnect to ...",
// "... - replaying race.feed".
class ChannelStatusTitle : public QObject {
    Q_OBJECT
public:
    ChannelStatusTitle(QWidget& window, const QString& caption);

    // Follows the device's channel from now on.
    void watch(KavendorDevice& device);
    // A recorded feed stands in for the channel.
    void showReplay(const QString& file);

    // What the title says after the caption, for a channel in this state.
    static QString statusText(ChannelState state, const CommunicationSettings& settings);

private:
    void showStatus(const QString& status);

    QWidget& m_window;
    QString m_caption;
};

} // namespace kav
