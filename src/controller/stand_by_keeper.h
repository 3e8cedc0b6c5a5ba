#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

namespace kav {

class RecordProcessor;
class StandByMessage;

// Shows "Please stand by....." centred on the main window while a new run waits for its first record,
// as the record processor tells.
class StandByKeeper : public QObject {
    Q_OBJECT
public:
    StandByKeeper(const RecordProcessor& records, StandByMessage& message);

    // The window the message is centred on; none centres it at the origin.
    void setMainWindow(QWidget* window) { m_mainWindow = window; }

private:
    void follow(bool waiting);
    void showCentred();

    StandByMessage& m_message;
    QPointer<QWidget> m_mainWindow;
};

} // namespace kav
