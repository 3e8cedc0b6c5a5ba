#include "communication.h"

namespace kav {

void TCommunication::ClearEvents()
{
    OnReceive = nullptr;
    OnOpen = nullptr;
    OnClose = nullptr;
    OnError = nullptr;
    OnWarning = nullptr;
}

// Each event is called through a copy: a handler may retire this channel, which unsets the events.
void TCommunication::RaiseReceive(const QByteArray& bytes)
{
    if (const auto handler = OnReceive)
        handler(*this, bytes);
}

void TCommunication::RaiseOpen()
{
    if (const auto handler = OnOpen)
        handler(*this);
}

void TCommunication::RaiseClose()
{
    if (const auto handler = OnClose)
        handler(*this);
}

void TCommunication::RaiseError()
{
    if (const auto handler = OnError)
        handler(*this);
}

void TCommunication::RaiseWarning(const QString& text)
{
    if (const auto handler = OnWarning)
        handler(*this, text);
}

} // namespace kav
