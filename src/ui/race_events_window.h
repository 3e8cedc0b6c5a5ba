#pragma once

#include <QList>
#include <QString>
#include <QWidget>

class QTreeWidget;

namespace kav {

// One race event as the window lists it.
struct RaceEventRow {
    QString raceTime;
    QString kind; // FLAG, FASTEST, CLASS FASTEST, LEAD, CLASS LEAD, PB, FINISH, STOPPED, PIT IN or PIT OUT
    QString car;
    QString carClass;
    QString text;
};

// The race events of the run, newest first: the race time, a sign and the kind in words (an event
// never depends on its colour to be seen), the car, its class and what happened.
class RaceEventsWindow : public QWidget {
    Q_OBJECT
public:
    explicit RaceEventsWindow(QWidget* parent = nullptr);

    // The events, oldest first as the run made them.
    void setEvents(const QList<RaceEventRow>& events);
    const QTreeWidget& list() const { return *m_list; }

    // The sign shown before a kind's name.
    static QString signOf(const QString& kind);

private:
    QTreeWidget* m_list;
};

} // namespace kav
