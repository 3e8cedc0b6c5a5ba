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
        m_communication->ClearEvents();
}

void TDevice::ReceiveLine(const QByteArray& line)
{
    if (const auto handler = OnReceive)
        handler(*this, line);
}

void TDevice::Open()
{
    if (m_communication)
        m_communication->Open();
}

void TDevice::Close()
{
    if (m_communication)
        m_communication->Close();
}

void TDevice::SetCommunication(std::unique_ptr<TCommunication> channel)
{
    Retire(std::move(m_communication));
    m_communication = std::move(channel);
    if (m_communication)
        m_communication->OnReceive = [this](TCommunication&, const QByteArray& line) { ReceiveLine(line); };
}

void TDevice::Retire(std::unique_ptr<TCommunication> channel)
{
    if (!channel)
        return;
    channel->ClearEvents();
    m_retired.push_back(std::move(channel));
    if (m_retired.size() == 1)
        QTimer::singleShot(0, this, &TDevice::FreeRetired);
}

void TDevice::FreeRetired()
{
    m_retired.clear();
}

} // namespace kav
