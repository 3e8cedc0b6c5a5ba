#include "stand_by_keeper.h"

#include "record_processor.h"
#include "stand_by_message.h"

namespace kav {

StandByKeeper::StandByKeeper(const RecordProcessor& records, StandByMessage& message) : m_message(message)
{
    connect(&records, &RecordProcessor::standByChanged, this, &StandByKeeper::follow);
}

void StandByKeeper::follow(bool waiting)
{
    if (waiting)
        showCentred();
    else
        m_message.hide();
}

void StandByKeeper::showCentred()
{
    const QRect main = m_mainWindow ? m_mainWindow->geometry() : QRect();
    const int top = (main.height() - m_message.height()) / 2 + main.top();
    const int left = (main.width() - m_message.width()) / 2 + main.left();
    m_message.move(left, top);
    m_message.setMessage(QStringLiteral("Please stand by....."));
    m_message.show();
}

} // namespace kav
