#include "race_events_window.h"

#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace kav {

RaceEventsWindow::RaceEventsWindow(QWidget* parent) : QWidget(parent), m_list(new QTreeWidget(this))
{
    setWindowTitle(QStringLiteral("Race events"));
    m_list->setHeaderLabels({QStringLiteral("Race time"), QStringLiteral("Event"), QStringLiteral("Car"),
                             QStringLiteral("Class"), QStringLiteral("What happened")});
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setAlternatingRowColors(true);
    m_list->header()->setStretchLastSection(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_list);
}

QString RaceEventsWindow::signOf(const QString& kind)
{
    if (kind == QLatin1String("FLAG"))
        return QStringLiteral("\u2691");
    if (kind.endsWith(QLatin1String("FASTEST")))
        return QStringLiteral("\u23F1");
    if (kind == QLatin1String("LEAD"))
        return QStringLiteral("\u25B2");
    if (kind == QLatin1String("CLASS LEAD"))
        return QStringLiteral("\u25B3");
    if (kind == QLatin1String("PB"))
        return QStringLiteral("\u2605");
    if (kind == QLatin1String("FINISH"))
        return QStringLiteral("\u25A3");
    if (kind == QLatin1String("STOPPED"))
        return QStringLiteral("\u26A0");
    if (kind == QLatin1String("PIT IN"))
        return QStringLiteral("\u2193");
    if (kind == QLatin1String("PIT OUT"))
        return QStringLiteral("\u2191");
    return {};
}

void RaceEventsWindow::setEvents(const QList<RaceEventRow>& events)
{
    QList<QTreeWidgetItem*> items;
    items.reserve(events.size());
    for (auto event = events.crbegin(); event != events.crend(); ++event) {
        items.append(new QTreeWidgetItem({event->raceTime, signOf(event->kind) + QLatin1Char(' ') + event->kind,
                                          event->car, event->carClass, event->text}));
    }
    m_list->clear();
    m_list->addTopLevelItems(items);
    for (int column = 0; column < m_list->columnCount() - 1; ++column)
        m_list->resizeColumnToContents(column);
}

} // namespace kav
