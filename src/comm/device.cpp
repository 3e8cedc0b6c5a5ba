#include "device.h"

#include <QTimer>

namespace kav {

Device::Device(QObject* parent) : QObject(parent)
{
    Settings.CommType = CommunicationType::None;
}

Device::~Device()
{
    if (m_communication)
        m_communication->disconnect(this);
}

// A listener may close the device while it takes a line; the rest of that stream is then not wanted.
void Device::receiveBytes(QByteArrayView bytes)
{
    const QList<QByteArray> lines = m_framer.append(bytes);
    const quint64 stream = m_stream;
    for (int drops = m_framer.takeDrops(); drops > 0 && stream == m_stream; --drops)
        emit lineDropped();
    for (const QByteArray& line : lines) {
        if (stream != m_stream)
            break;
        if (m_tap)
            m_tap(line);
        emit lineReceived(line);
    }
    if (!lines.isEmpty())
        emit linesEnd();
}

void Device::open()
{
    if (m_communication)
        m_communication->open();
}

void Device::close()
{
    forgetPartialLine();
    if (m_communication)
        m_communication->close();
}

void Device::forgetPartialLine()
{
    m_framer = LineFramer();
    ++m_stream;
}

void Device::setCommunication(std::unique_ptr<Communication> channel)
{
    retire(std::move(m_communication));
    forgetPartialLine();
    m_communication = std::move(channel);
    if (!m_communication)
        return;
    connect(m_communication.get(), &Communication::bytesReceived, this,
            [this](const QByteArray& bytes) { receiveBytes(bytes); });
    connect(m_communication.get(), &Communication::streamRestarted, this, [this] {
        forgetPartialLine();
        emit streamRestarted();
    });
    connect(m_communication.get(), &Communication::closed, this, [this] {
        forgetPartialLine();
        channelClosed();
    });
}

void Device::retire(std::unique_ptr<Communication> channel)
{
    if (!channel)
        return;
    channel->disconnect(this);
    m_retired.push_back(std::move(channel));
    if (m_retired.size() == 1)
        QTimer::singleShot(0, this, &Device::freeRetired);
}

void Device::freeRetired()
{
    m_retired.clear();
}

} // namespace kav
