#include "device.h"

#include <QTimer>

namespace kav {

TDevice::TDevice(QObject* parent) : QObject(parent)
{
    Settings.CommType = TCommType::None;
}

TDevice::~TDevice()
{
    if (m_communication)
        m_communication->disconnect(this);
}

// A listener may close the device while it takes a line; the rest of that stream is then not wanted.
void TDevice::receiveBytes(QByteArrayView bytes)
{
    const QList<QByteArray> lines = m_framer.Append(bytes);
    const quint64 stream = m_stream;
    for (int drops = m_framer.TakeDrops(); drops > 0 && stream == m_stream; --drops)
        emit lineDropped();
    for (const QByteArray& line : lines) {
        if (stream != m_stream)
            return;
        if (m_tap)
            m_tap(line);
        emit lineReceived(line);
    }
}

void TDevice::Open()
{
    if (m_communication)
        m_communication->Open();
}

void TDevice::Close()
{
    forgetPartialLine();
    if (m_communication)
        m_communication->Close();
}

// A line the channel cut off is never completed: whatever comes next starts a line of its own.
void TDevice::forgetPartialLine()
{
    m_framer = TLineFramer();
    ++m_stream;
}

void TDevice::SetCommunication(std::unique_ptr<TCommunication> channel)
{
    Retire(std::move(m_communication));
    forgetPartialLine();
    m_communication = std::move(channel);
    if (!m_communication)
        return;
    connect(m_communication.get(), &TCommunication::bytesReceived, this,
            [this](const QByteArray& bytes) { receiveBytes(bytes); });
    connect(m_communication.get(), &TCommunication::closed, this, [this] {
        forgetPartialLine();
        channelClosed();
    });
}

void TDevice::Retire(std::unique_ptr<TCommunication> channel)
{
    if (!channel)
        return;
    channel->disconnect(this);
    m_retired.push_back(std::move(channel));
    if (m_retired.size() == 1)
        QTimer::singleShot(0, this, &TDevice::FreeRetired);
}

void TDevice::FreeRetired()
{
    m_retired.clear();
}

} // namespace kav
