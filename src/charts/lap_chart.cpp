#include "lap_chart.h"

#include <QCursor>
#include <QGraphicsSimpleTextItem>
#include <QLineSeries>
#include <QToolTip>
#include <QValueAxis>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>

#include "chart_style.h"
#include "feed_time.h"

namespace kav {

namespace {

constexpr double kSecond = kTicksPerSecond;
constexpr int kLapTicks = 10;
constexpr int kValueTicks = 8;
constexpr int kSmallestLabelPixels = 5;
constexpr int kLargestLabelPixels = 12;
constexpr int kCarNumberRoom = 40; // pixels right of the lap chart's plot for the car numbers
constexpr int kCarNumberGap = 6;

QString chartTitle(LapChart::Kind kind)
{
    switch (kind) {
    case LapChart::Kind::Position: return QStringLiteral("Lap chart");
    case LapChart::Kind::Gap: return QStringLiteral("Gap to the leader");
    case LapChart::Kind::LapTime: return QStringLiteral("Lap times");
    }
    return {};
}

QString valueTitle(LapChart::Kind kind)
{
    switch (kind) {
    case LapChart::Kind::Position: return QStringLiteral("Position");
    case LapChart::Kind::Gap: return QStringLiteral("Seconds behind the leader");
    case LapChart::Kind::LapTime: return QStringLiteral("Lap time (seconds)");
    }
    return {};
}

// A step of 1, 2 or 5 times a power of ten that splits range into about ticks parts.
double niceStep(double range, int ticks)
{
    const double rough = std::max(range / ticks, 1e-9);
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (double factor : {1.0, 2.0, 5.0}) {
        if (factor * power >= rough)
            return factor * power;
    }
    return 10.0 * power;
}

// Lap and gap times as the result windows write them, without their padding.
QString lapTimeText(TimeValue time)
{
    if (time == kEmptyLapTime)
        return QStringLiteral("-----");
    return QString::fromLatin1(formatTime(7, 3, time)).trimmed();
}

QString gapText(std::int64_t gap)
{
    if (gap <= 0)
        return QStringLiteral("leader");
    const auto clamped = static_cast<TimeValue>(std::min<std::int64_t>(gap, kMaxShownTime));
    return QStringLiteral("+") + lapTimeText(clamped);
}

} // namespace

// The view is given its chart at once: a chart set later replaces a default one that is only deleted
// by a later event loop.
LapChart::LapChart(Kind kind, const RaceSource& source, QWidget* parent)
    : QChartView(new QChart, parent), m_kind(kind), m_source(source)
{
    QChart* chart = this->chart();
    chart->setTitle(chartTitle(kind));
    chart->legend()->setVisible(kind == Kind::LapTime);
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setAnimationOptions(QChart::NoAnimation);
    setRenderHint(QPainter::Antialiasing, false);
    m_lapAxis = new QValueAxis(chart);
    m_lapAxis->setTitleText(QStringLiteral("Lap"));
    m_lapAxis->setLabelFormat(QStringLiteral("%d"));
    m_lapAxis->setTickType(QValueAxis::TicksDynamic);
    m_lapAxis->setTickAnchor(0);
    chart->addAxis(m_lapAxis, Qt::AlignBottom);
    m_valueAxis = new QValueAxis(chart);
    m_valueAxis->setTitleText(valueTitle(kind));
    m_valueAxis->setLabelFormat(kind == Kind::Position ? QStringLiteral("%d") : QStringLiteral("%.1f"));
    m_valueAxis->setReverse(kind != Kind::LapTime); // the leader at the top
    m_valueAxis->setTickType(QValueAxis::TicksDynamic);
    m_valueAxis->setTickAnchor(kind == Kind::Position ? 1 : 0);
    chart->addAxis(m_valueAxis, Qt::AlignLeft);
    // The axis would cut its labels short ("…") once a few dozen places share its height: the lap
    // chart writes its place numbers itself.
    m_valueAxis->setLabelsVisible(kind != Kind::Position);
    if (kind != Kind::LapTime) {
        QMargins margins = chart->margins();
        margins.setRight(kCarNumberRoom);
        chart->setMargins(margins);
        connect(chart, &QChart::plotAreaChanged, this, &LapChart::placeCarLabels);
    }
    updateAxes();
}

void LapChart::chooseCars(std::set<std::string> regNos)
{
    m_chosen = std::move(regNos);
    rebuild();
}

int LapChart::lineCount() const
{
    return static_cast<int>(
        std::count_if(m_lines.begin(), m_lines.end(), [](const CarLine& line) { return line.series != nullptr; }));
}

void LapChart::refresh()
{
    const LapHistory& history = m_source.lapHistory();
    if (history.resets() != m_resets) {
        rebuild();
        return;
    }
    if (history.revision() == m_revision)
        return;
    m_revision = history.revision();
    m_lines.resize(static_cast<std::size_t>(history.carCount()));
    for (int car = 0; car < history.carCount(); ++car)
        takeInCar(car);
    updateAxes();
    if (m_kind != Kind::LapTime)
        updateCarLabels();
}

void LapChart::markFollowedCars()
{
    const LapHistory& history = m_source.lapHistory();
    for (std::size_t car = 0; car < m_lines.size() && car < std::size_t(history.carCount()); ++car) {
        CarLine& line = m_lines[car];
        if (!line.series)
            continue;
        const bool followed = m_source.isFollowed(history.car(int(car)).regNo);
        if (followed == line.followed)
            continue;
        QPen pen = line.series->pen();
        markFollowed(pen, followed);
        line.series->setPen(pen);
        line.followed = followed;
    }
}

void LapChart::rebuild()
{
    chart()->removeAllSeries();
    m_lines.clear();
    m_classCounts.clear();
    m_maxLap = 0;
    m_anyValue = false;
    m_revision = m_source.lapHistory().revision() - 1;
    m_resets = m_source.lapHistory().resets();
    refresh();
}

bool LapChart::shows(int carIndex) const
{
    return !m_chosen || m_chosen->count(m_source.lapHistory().car(carIndex).regNo) > 0;
}

// The last entry taken in may have been completed since by its standing: its point is drawn again.
void LapChart::takeInCar(int carIndex)
{
    const std::vector<LapEntry>& laps = m_source.lapHistory().car(carIndex).laps;
    CarLine& line = m_lines[static_cast<std::size_t>(carIndex)];
    if (laps.empty() || !shows(carIndex))
        return;
    if (!line.series)
        makeSeries(carIndex, line);
    const bool lastChanged = line.consumed > 0 && laps[line.consumed - 1] != line.last;
    if (!lastChanged && laps.size() == line.consumed)
        return;
    std::size_t from = line.consumed;
    if (lastChanged) {
        line.series->removePoints(int(line.pointsBeforeLast), int(line.series->count() - line.pointsBeforeLast));
        --from;
    }
    QList<QPointF> points;
    for (std::size_t k = from; k < laps.size(); ++k) {
        if (k + 1 == laps.size())
            line.pointsBeforeLast = line.series->count() + points.size();
        const std::optional<double> value = valueOf(laps[k]);
        if (!value)
            continue;
        points.append(QPointF(laps[k].lap, *value));
        m_maxLap = std::max(m_maxLap, laps[k].lap);
        m_minValue = m_anyValue ? std::min(m_minValue, *value) : *value;
        m_maxValue = m_anyValue ? std::max(m_maxValue, *value) : *value;
        m_anyValue = true;
    }
    line.series->append(points);
    line.consumed = laps.size();
    line.last = laps.back();
}

void LapChart::makeSeries(int carIndex, CarLine& line)
{
    const CarLaps& car = m_source.lapHistory().car(carIndex);
    const CarLabel label = m_source.carLabel(car.regNo);
    const auto classSlot = static_cast<std::size_t>(std::max(label.classNo, 0));
    if (m_classCounts.size() <= classSlot)
        m_classCounts.resize(classSlot + 1, 0);
    auto* series = new QLineSeries;
    series->setName(label.number.isEmpty() ? QString::fromStdString(car.regNo) : label.number);
    series->setPen(carPen(label, m_classCounts[classSlot]++));
    chart()->addSeries(series);
    series->attachAxis(m_lapAxis);
    series->attachAxis(m_valueAxis);
    connect(series, &QLineSeries::hovered, this,
            [this, carIndex](const QPointF& point, bool state) { pointAt(carIndex, point, state); });
    connect(series, &QLineSeries::clicked, this,
            [this, carIndex](const QPointF& point) { pointAt(carIndex, point, true); });
    line.series = series;
    line.followed = label.followed;
}

std::optional<double> LapChart::valueOf(const LapEntry& entry) const
{
    switch (m_kind) {
    case Kind::Position:
        if (entry.position == 0)
            return std::nullopt;
        return entry.position;
    case Kind::Gap: return double(m_source.lapHistory().gapToLeader(entry)) / kSecond;
    case Kind::LapTime:
        if (entry.lapTime == kEmptyLapTime || entry.lapTime <= 0)
            return std::nullopt;
        return entry.lapTime / kSecond;
    }
    return std::nullopt;
}

QString LapChart::describe(int carIndex, std::int32_t lap) const
{
    const LapHistory& history = m_source.lapHistory();
    if (carIndex < 0 || carIndex >= history.carCount())
        return {};
    const CarLaps& car = history.car(carIndex);
    const auto entry = std::find_if(car.laps.begin(), car.laps.end(),
                                    [lap](const LapEntry& candidate) { return candidate.lap == lap; });
    if (entry == car.laps.end())
        return {};
    const CarLabel label = m_source.carLabel(car.regNo);
    QString text =
        QStringLiteral("Car %1").arg(label.number.isEmpty() ? QString::fromStdString(car.regNo) : label.number);
    if (!label.name.isEmpty())
        text += QStringLiteral(" ") + label.name;
    text += QStringLiteral(", lap %1").arg(entry->lap);
    if (entry->position > 0)
        text += QStringLiteral(": position %1").arg(entry->position);
    text += QStringLiteral(", lap time %1, %2").arg(lapTimeText(entry->lapTime), gapText(history.gapToLeader(*entry)));
    return text;
}

void LapChart::pointAt(int carIndex, const QPointF& point, bool show)
{
    if (!show) {
        QToolTip::hideText();
        return;
    }
    const QString text = describe(carIndex, static_cast<std::int32_t>(std::lround(point.x())));
    if (text.isEmpty())
        return;
    QToolTip::showText(QCursor::pos(), text, this);
    emit lapPointed(text);
}

void LapChart::updateAxes()
{
    const double lastLap = std::max(m_maxLap, 2);
    m_lapAxis->setRange(1, lastLap);
    m_lapAxis->setTickInterval(std::max(1.0, niceStep(lastLap - 1, kLapTicks)));
    if (m_kind == Kind::Position) {
        const double places = std::max(m_anyValue ? m_maxValue : 1.0, 2.0);
        m_valueAxis->setRange(0.5, places + 0.5);
        m_valueAxis->setTickInterval(std::max(1.0, niceStep(places, kLapTicks * 2)));
        placeCarLabels();
        return;
    }
    const double low = m_kind == Kind::Gap ? 0.0 : (m_anyValue ? m_minValue : 0.0);
    const double high = m_anyValue ? std::max(m_maxValue, low + 1.0) : low + 1.0;
    const double step = niceStep(high - low, kValueTicks);
    m_valueAxis->setTickInterval(step);
    m_valueAxis->setLabelFormat(step >= 1 ? QStringLiteral("%.0f") : QStringLiteral("%.1f"));
    // Whole steps around the values, so that the first and last lines carry labels.
    m_valueAxis->setRange(std::floor(low / step) * step, std::ceil(high / step) * step);
}

QString LapChart::carText(const std::string& regNo) const
{
    const CarLabel label = m_source.carLabel(regNo);
    return label.number.isEmpty() ? QString::fromStdString(regNo) : label.number;
}

// Each place with the car that holds it in the standings, as a printed lap chart carries them; without
// standings, with the car that came there last.
std::vector<LapChart::CarMark> LapChart::placeMarks() const
{
    std::map<int, CarMark> places;
    for (const ClassifiedCar& car : m_source.classification()) {
        if (car.position > 0)
            places.emplace(car.position, CarMark{double(car.position), carText(car.regNo), Qt::black});
    }
    if (places.empty()) {
        std::map<int, std::pair<TimeValue, std::string>> latest;
        const LapHistory& history = m_source.lapHistory();
        for (int car = 0; car < history.carCount(); ++car) {
            const std::vector<LapEntry>& laps = history.car(car).laps;
            if (laps.empty() || laps.back().position == 0)
                continue;
            auto [slot, added] =
                latest.emplace(laps.back().position, std::pair(laps.back().totalTime, history.car(car).regNo));
            if (!added && laps.back().totalTime > slot->second.first)
                slot->second = {laps.back().totalTime, history.car(car).regNo};
        }
        for (const auto& [place, car] : latest)
            places.emplace(place, CarMark{double(place), carText(car.second), Qt::black});
    }
    // Only the places the chart shows: a car that never crossed the line has no line to name.
    std::vector<CarMark> marks;
    for (auto& [place, mark] : places) {
        if (place <= m_valueAxis->max())
            marks.push_back(std::move(mark));
    }
    return marks;
}

// Each line's car where the line ends, in its colour, so that the lines can be told apart.
std::vector<LapChart::CarMark> LapChart::lineEndMarks() const
{
    std::vector<CarMark> marks;
    const LapHistory& history = m_source.lapHistory();
    for (std::size_t car = 0; car < m_lines.size() && car < std::size_t(history.carCount()); ++car) {
        const QLineSeries* series = m_lines[car].series;
        if (!series || series->count() == 0)
            continue;
        marks.push_back(
            {series->at(series->count() - 1).y(), carText(history.car(int(car)).regNo), series->pen().color()});
    }
    std::sort(marks.begin(), marks.end(), [](const CarMark& a, const CarMark& b) { return a.value < b.value; });
    return marks;
}

void LapChart::updateCarLabels()
{
    std::vector<CarMark> marks = m_kind == Kind::Position ? placeMarks() : lineEndMarks();
    if (marks == m_carMarks)
        return;
    m_carMarks = std::move(marks);
    while (m_carTexts.size() > m_carMarks.size()) {
        delete m_carTexts.back();
        m_carTexts.pop_back();
    }
    while (m_carTexts.size() < m_carMarks.size())
        m_carTexts.push_back(new QGraphicsSimpleTextItem(chart()));
    for (std::size_t i = 0; i < m_carMarks.size(); ++i) {
        m_carTexts[i]->setText(m_carMarks[i].text);
        m_carTexts[i]->setBrush(m_carMarks[i].color);
    }
    placeCarLabels();
}

// The axis is reversed: its smallest value, the first place or no gap, is at the top. Labels that would
// overlap are moved down, in order, just clear of each other.
void LapChart::placeCarLabels()
{
    const QRectF plot = chart()->plotArea();
    const double span = m_valueAxis->max() - m_valueAxis->min();
    if (plot.isEmpty() || span <= 0)
        return;
    const double room = plot.height() / span;
    QFont font = m_lapAxis->labelsFont();
    const bool places = m_kind == Kind::Position;
    const int pixels = places ? int(room * 0.9) : int(plot.height() / std::max<std::size_t>(m_carTexts.size(), 1));
    font.setPixelSize(std::clamp(pixels, kSmallestLabelPixels, kLargestLabelPixels));
    double nextFree = plot.top() - plot.height();
    for (std::size_t i = 0; i < m_carTexts.size(); ++i) {
        QGraphicsSimpleTextItem* text = m_carTexts[i];
        text->setFont(font);
        const double height = text->boundingRect().height();
        double y = plot.top() + (m_carMarks[i].value - m_valueAxis->min()) * room - height / 2;
        if (!places)
            y = std::max(y, nextFree);
        nextFree = y + height * 0.9;
        text->setPos(plot.right() + kCarNumberGap, y);
    }
    if (places)
        placePlaceNumbers(plot, font);
}

// A number at every tick of the places, right-aligned against the plot.
void LapChart::placePlaceNumbers(const QRectF& plot, const QFont& font)
{
    const double step = std::max(1.0, m_valueAxis->tickInterval());
    const auto count = static_cast<std::size_t>(std::max(0.0, std::floor((m_valueAxis->max() - 1) / step) + 1));
    while (m_placeTexts.size() > count) {
        delete m_placeTexts.back();
        m_placeTexts.pop_back();
    }
    while (m_placeTexts.size() < count)
        m_placeTexts.push_back(new QGraphicsSimpleTextItem(chart()));
    const double room = plot.height() / (m_valueAxis->max() - m_valueAxis->min());
    for (std::size_t i = 0; i < count; ++i) {
        QGraphicsSimpleTextItem* text = m_placeTexts[i];
        const double place = 1 + double(i) * step;
        text->setFont(font);
        text->setText(QString::number(int(place)));
        const QRectF box = text->boundingRect();
        text->setPos(plot.left() - kCarNumberGap - box.width(),
                     plot.top() + (place - m_valueAxis->min()) * room - box.height() / 2);
    }
}

} // namespace kav
