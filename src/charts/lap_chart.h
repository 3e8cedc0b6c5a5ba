#pragma once

#include <QChartView>
#include <QColor>
#include <QString>

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "race_source.h"

class QGraphicsSimpleTextItem;
class QLineSeries;
class QValueAxis;

namespace kav {

// One chart of the race's laps: a line per car over its laps, of its position, its gap to the
// leader or its lap times. It takes in only what the lap history gained since it last looked.
class LapChart : public QChartView {
    Q_OBJECT

public:
    enum class Kind { Position, Gap, LapTime };

    LapChart(Kind kind, const RaceSource& source, QWidget* parent = nullptr);

    Kind kind() const { return m_kind; }
    // Draws what the lap history gained; everything again after a new run.
    void refresh();
    // Draws the lines of the cars followed bold, as the follow list now says.
    void markFollowedCars();
    // The cars whose lines are drawn, by registration number; all cars when not chosen.
    void chooseCars(std::set<std::string> regNos);
    // The text for a car's lap as a hover or click shows it; empty when the car has no such lap.
    QString describe(int carIndex, std::int32_t lap) const;
    int lineCount() const;
    // The car numbers beside the plot: on the lap chart each place's car, sized to the room each place
    // has; on the gap chart each line's car at the height its line ends, in the line's colour.
    void placeCarLabels();

signals:
    // A hover or click on a car's line: the car and lap it points at.
    void lapPointed(const QString& text);

private:
    struct CarLine {
        QLineSeries* series = nullptr;
        std::size_t consumed = 0;       // entries of the car taken in
        qsizetype pointsBeforeLast = 0; // points before the last entry's point
        LapEntry last;                  // the last entry as it was taken in
        bool followed = false;
    };

    void rebuild();
    void takeInCar(int carIndex);
    void makeSeries(int carIndex, CarLine& line);
    std::optional<double> valueOf(const LapEntry& entry) const;
    void pointAt(int carIndex, const QPointF& point, bool show);
    void updateAxes();
    void updateCarLabels();
    void placePlaceNumbers(const QRectF& plot, const QFont& font);
    bool shows(int carIndex) const;

    const Kind m_kind;
    const RaceSource& m_source;
    std::optional<std::set<std::string>> m_chosen;
    std::vector<CarLine> m_lines;
    std::vector<int> m_classCounts;
    struct CarMark {
        double value = 0; // where on the value axis
        QString text;
        QColor color;
        bool operator==(const CarMark&) const = default;
    };
    std::vector<CarMark> placeMarks() const;
    std::vector<CarMark> lineEndMarks() const;
    QString carText(const std::string& regNo) const;

    std::vector<CarMark> m_carMarks;
    QValueAxis* m_lapAxis = nullptr;
    QValueAxis* m_valueAxis = nullptr;
    std::vector<QGraphicsSimpleTextItem*> m_carTexts;   // the car numbers beside the plot, owned by the chart
    std::vector<QGraphicsSimpleTextItem*> m_placeTexts; // the lap chart's place numbers left of the plot
    std::uint64_t m_revision = 0;
    std::uint64_t m_resets = 0;
    std::int32_t m_maxLap = 0;
    double m_minValue = 0;
    double m_maxValue = 0;
    bool m_anyValue = false;
};

} // namespace kav
