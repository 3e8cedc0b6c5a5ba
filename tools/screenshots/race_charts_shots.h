#pragma once

#include <QString>

class QWidget;

namespace kav {

// The race charts window on a simulated race of two classes, one driver followed, each chart in turn.
void saveRaceCharts(void (*save)(QWidget&, const QString&));

} // namespace kav
