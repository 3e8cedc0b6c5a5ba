#include "race_report.h"

#include <QFontMetricsF>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <algorithm>
#include <map>
#include <vector>

#include "feed_time.h"
#include "lap_chart.h"

namespace kav {

namespace {

constexpr int kPointsPerInch = 72; // one unit on the page is one point
constexpr qreal kMargin = 40;
constexpr qreal kFooterHeight = 20;
constexpr qreal kRowHeight = 12;
constexpr qreal kTextPoints = 8;
constexpr qreal kHeadingPoints = 12;
constexpr qreal kTitlePoints = 18;
constexpr qreal kCellPadding = 3;
constexpr qreal kChartHeight = 340;
constexpr qreal kChartPointsPerCar = 9; // a lap chart of many cars takes up to a page, its numbers apart
// Charts are laid out larger than the page and drawn scaled down onto it: screen fonts come out at
// about 8 points.
constexpr qreal kChartLayoutScale = 1.4;
const QString kFontFamily = QStringLiteral("DejaVu Sans");

struct Column {
    QString title;
    qreal share; // of the text width
    Qt::Alignment align = Qt::AlignLeft;
};

using Row = QStringList;

QString trimmedTime(int cutMode, int blankMode, TimeValue time)
{
    return QString::fromLatin1(formatTime(cutMode, blankMode, time)).trimmed();
}

QString lapTimeText(TimeValue time)
{
    return time == kEmptyLapTime || time <= 0 ? QStringLiteral("-") : trimmedTime(7, 3, time);
}

QString carNumber(const ClassifiedCar& car)
{
    return car.label.number.isEmpty() ? QString::fromStdString(car.regNo) : car.label.number;
}

// Behind the first car of the group: a time on the same lap, else the laps it is down.
QString gapText(const ClassifiedCar& car, const ClassifiedCar& first)
{
    if (&car == &first)
        return {};
    const std::int32_t lapsDown = first.laps - car.laps;
    if (lapsDown > 0)
        return QStringLiteral("+%1 %2").arg(lapsDown).arg(lapsDown == 1 ? QStringLiteral("lap")
                                                                        : QStringLiteral("laps"));
    const std::int64_t gap = std::int64_t{car.totalTime} - first.totalTime;
    const auto shown = static_cast<TimeValue>(std::clamp<std::int64_t>(gap, 0, kMaxShownTime));
    return QStringLiteral("+") + trimmedTime(1, 3, shown);
}

QString bestLapText(const ClassifiedCar& car)
{
    if (car.bestLapTime == kEmptyLapTime || car.bestLapTime <= 0)
        return QStringLiteral("-");
    const QString time = lapTimeText(car.bestLapTime);
    return car.bestLap > 0 ? QStringLiteral("%1 (%2)").arg(time).arg(car.bestLap) : time;
}

// Draws the report page by page from the top, starting a new page where the next block does not fit.
class ReportPainter {
public:
    ReportPainter(QPdfWriter& writer, QString footer) : m_writer(writer), m_footer(std::move(footer)) {}

    bool begin();
    void finish();
    void title(const QString& text, const QStringList& lines);
    void heading(const QString& text);
    void table(const std::vector<Column>& columns, const std::vector<Row>& rows);
    void chart(const RaceSource& source, LapChart::Kind kind, qreal height);
    qreal bodyHeight() const { return m_body.height(); }

private:
    void ensureRoom(qreal height);
    void newPage();
    void drawFooter();
    void drawRow(const std::vector<Column>& columns, const Row& row, bool header);
    QFont font(qreal points, bool bold = false) const;

    QPdfWriter& m_writer;
    QString m_footer;
    QPainter m_painter;
    QRectF m_body;
    qreal m_y = 0;
    int m_page = 1;
};

QFont ReportPainter::font(qreal points, bool bold) const
{
    QFont result(kFontFamily);
    result.setPointSizeF(points);
    result.setBold(bold);
    // Without shaping there are no ligatures, so text copied out of the PDF stays plain text.
    result.setStyleStrategy(QFont::PreferNoShaping);
    return result;
}

bool ReportPainter::begin()
{
    if (!m_painter.begin(&m_writer))
        return false;
    const QRectF page(QPointF(0, 0), m_writer.pageLayout().paintRect(QPageLayout::Point).size());
    m_body = page.adjusted(kMargin, kMargin, -kMargin, -kMargin - kFooterHeight);
    m_y = m_body.top();
    return true;
}

void ReportPainter::finish()
{
    drawFooter();
    m_painter.end();
}

void ReportPainter::newPage()
{
    drawFooter();
    m_writer.newPage();
    ++m_page;
    m_y = m_body.top();
}

void ReportPainter::ensureRoom(qreal height)
{
    if (m_y + height > m_body.bottom() && m_y > m_body.top())
        newPage();
}

void ReportPainter::drawFooter()
{
    m_painter.setFont(font(kTextPoints));
    m_painter.setPen(Qt::black);
    const QRectF footer(m_body.left(), m_body.bottom() + kFooterHeight, m_body.width(), kFooterHeight);
    m_painter.drawLine(footer.topLeft(), footer.topRight());
    m_painter.drawText(footer, Qt::AlignLeft | Qt::AlignVCenter, m_footer);
    m_painter.drawText(footer, Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("Page %1").arg(m_page));
}

void ReportPainter::title(const QString& text, const QStringList& lines)
{
    m_painter.setFont(font(kTitlePoints, true));
    const qreal titleHeight = QFontMetricsF(m_painter.font()).height() * 1.4;
    m_painter.drawText(QRectF(m_body.left(), m_y, m_body.width(), titleHeight), Qt::AlignLeft | Qt::AlignVCenter, text);
    m_y += titleHeight;
    m_painter.setFont(font(kTextPoints + 2));
    for (const QString& line : lines) {
        m_painter.drawText(QRectF(m_body.left(), m_y, m_body.width(), kRowHeight * 1.3), Qt::AlignLeft, line);
        m_y += kRowHeight * 1.3;
    }
    m_y += kRowHeight;
}

void ReportPainter::heading(const QString& text)
{
    const qreal height = kHeadingPoints * 2;
    ensureRoom(height + kRowHeight * 3); // a heading stays with the first rows of its table
    m_painter.setFont(font(kHeadingPoints, true));
    m_painter.drawText(QRectF(m_body.left(), m_y, m_body.width(), height), Qt::AlignLeft | Qt::AlignVCenter, text);
    m_y += height;
}

void ReportPainter::drawRow(const std::vector<Column>& columns, const Row& row, bool header)
{
    m_painter.setFont(font(kTextPoints, header));
    const QFontMetricsF metrics(m_painter.font());
    qreal x = m_body.left();
    for (std::size_t c = 0; c < columns.size(); ++c) {
        const qreal width = columns[c].share * m_body.width();
        const QRectF cell(x + kCellPadding, m_y, width - 2 * kCellPadding, kRowHeight);
        const QString text = metrics.elidedText(row.value(qsizetype(c)), Qt::ElideRight, cell.width());
        m_painter.drawText(cell, columns[c].align | Qt::AlignVCenter, text);
        x += width;
    }
    m_y += kRowHeight;
    if (header) {
        m_painter.drawLine(QPointF(m_body.left(), m_y), QPointF(m_body.right(), m_y));
        m_y += 1;
    }
}

void ReportPainter::table(const std::vector<Column>& columns, const std::vector<Row>& rows)
{
    Row titles;
    for (const Column& column : columns)
        titles.append(column.title);
    drawRow(columns, titles, true);
    for (const Row& row : rows) {
        if (m_y + kRowHeight > m_body.bottom()) {
            newPage();
            drawRow(columns, titles, true); // each page of a table carries its column titles
        }
        drawRow(columns, row, false);
    }
    m_y += kRowHeight;
}

// The chart's own drawing goes onto the page as lines and text, never as a picture.
void ReportPainter::chart(const RaceSource& source, LapChart::Kind kind, qreal height)
{
    ensureRoom(height);
    LapChart view(kind, source);
    view.refresh();
    QChart* chart = view.chart();
    chart->setBackgroundVisible(false);
    const QRectF target(m_body.left(), m_y, m_body.width(), height);
    const QSizeF layoutSize = target.size() * kChartLayoutScale;
    chart->resize(layoutSize);
    chart->layout()->activate();
    view.placeCarLabels();
    view.scene()->render(&m_painter, target, QRectF(QPointF(0, 0), layoutSize), Qt::KeepAspectRatio);
    m_y += height + kRowHeight;
}

std::vector<Row> classificationRows(const std::vector<ClassifiedCar>& cars, bool withClass)
{
    std::vector<Row> rows;
    for (std::size_t i = 0; i < cars.size(); ++i) {
        const ClassifiedCar& car = cars[i];
        Row row{QString::number(i + 1)};
        if (!withClass)
            row.append(QString::number(car.position));
        row << carNumber(car) << car.label.name;
        if (withClass)
            row.append(car.label.className);
        row << QString::number(car.laps) << trimmedTime(1, 1, car.totalTime) << gapText(car, cars.front())
            << bestLapText(car);
        rows.push_back(row);
    }
    return rows;
}

std::vector<Column> overallColumns()
{
    return {{QStringLiteral("Pos"), 0.06, Qt::AlignRight},
            {QStringLiteral("Car"), 0.07, Qt::AlignRight},
            {QStringLiteral("Name"), 0.25},
            {QStringLiteral("Class"), 0.15},
            {QStringLiteral("Laps"), 0.06, Qt::AlignRight},
            {QStringLiteral("Total time"), 0.14, Qt::AlignRight},
            {QStringLiteral("Gap"), 0.12, Qt::AlignRight},
            {QStringLiteral("Best lap (lap)"), 0.15, Qt::AlignRight}};
}

std::vector<Column> classColumns()
{
    return {{QStringLiteral("Pos"), 0.06, Qt::AlignRight},  {QStringLiteral("Overall"), 0.09, Qt::AlignRight},
            {QStringLiteral("Car"), 0.07, Qt::AlignRight},  {QStringLiteral("Name"), 0.31},
            {QStringLiteral("Laps"), 0.06, Qt::AlignRight}, {QStringLiteral("Total time"), 0.14, Qt::AlignRight},
            {QStringLiteral("Gap"), 0.12, Qt::AlignRight},  {QStringLiteral("Best lap (lap)"), 0.15, Qt::AlignRight}};
}

// Every car with a best lap, the fastest first.
std::vector<Row> fastestLapRows(std::vector<ClassifiedCar> cars)
{
    std::erase_if(cars,
                  [](const ClassifiedCar& car) { return car.bestLapTime == kEmptyLapTime || car.bestLapTime <= 0; });
    std::stable_sort(cars.begin(), cars.end(),
                     [](const ClassifiedCar& a, const ClassifiedCar& b) { return a.bestLapTime < b.bestLapTime; });
    std::vector<Row> rows;
    for (std::size_t i = 0; i < cars.size(); ++i) {
        const ClassifiedCar& car = cars[i];
        rows.push_back(
            {QString::number(i + 1), carNumber(car), car.label.name, car.label.className,
             car.bestLap > 0 ? QString::number(car.bestLap) : QStringLiteral("-"), lapTimeText(car.bestLapTime),
             i == 0 ? QString() : QStringLiteral("+") + trimmedTime(1, 3, car.bestLapTime - cars[0].bestLapTime)});
    }
    return rows;
}

std::vector<Column> fastestLapColumns()
{
    return {{QStringLiteral("Rank"), 0.07, Qt::AlignRight},
            {QStringLiteral("Car"), 0.07, Qt::AlignRight},
            {QStringLiteral("Name"), 0.30},
            {QStringLiteral("Class"), 0.18},
            {QStringLiteral("Lap"), 0.08, Qt::AlignRight},
            {QStringLiteral("Lap time"), 0.15, Qt::AlignRight},
            {QStringLiteral("Gap"), 0.15, Qt::AlignRight}};
}

// The classes in the order their best car stands overall.
std::vector<std::vector<ClassifiedCar>> byClass(const std::vector<ClassifiedCar>& cars)
{
    std::vector<std::vector<ClassifiedCar>> classes;
    std::map<int, std::size_t> classIndex;
    for (const ClassifiedCar& car : cars) {
        const auto [slot, added] = classIndex.emplace(car.label.classNo, classes.size());
        if (added)
            classes.emplace_back();
        classes[slot->second].push_back(car);
    }
    return classes;
}

QString classHeading(const ClassifiedCar& first)
{
    if (!first.label.className.isEmpty())
        return first.label.className;
    return first.label.classNo > 0 ? QStringLiteral("Class %1").arg(first.label.classNo) : QStringLiteral("No class");
}

void paintReport(ReportPainter& painter, const RaceSource& source, const QDate& date)
{
    const std::vector<ClassifiedCar> cars = source.classification();
    painter.title(
        source.runName().isEmpty() ? QStringLiteral("Race report") : source.runName(),
        {QStringLiteral("Track: %1").arg(source.trackName().isEmpty() ? QStringLiteral("-") : source.trackName()),
         QStringLiteral("Date: %1").arg(date.toString(Qt::ISODate))});
    painter.heading(QStringLiteral("Classification"));
    painter.table(overallColumns(), cars.empty() ? std::vector<Row>{} : classificationRows(cars, true));
    for (const std::vector<ClassifiedCar>& group : byClass(cars)) {
        painter.heading(QStringLiteral("Classification: ") + classHeading(group.front()));
        painter.table(classColumns(), classificationRows(group, false));
    }
    painter.heading(QStringLiteral("Fastest laps"));
    painter.table(fastestLapColumns(), fastestLapRows(cars));
    const qreal lapChartHeight = std::clamp(source.lapHistory().carCount() * kChartPointsPerCar, kChartHeight,
                                            painter.bodyHeight() - kRowHeight);
    painter.chart(source, LapChart::Kind::Position, lapChartHeight);
    painter.chart(source, LapChart::Kind::Gap, kChartHeight);
}

} // namespace

bool writeRaceReport(const RaceSource& source, const QString& file, QString& error, const QDate& date)
{
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly)) {
        error = QStringLiteral("cannot write %1: %2").arg(file, out.errorString());
        return false;
    }
    {
        QPdfWriter writer(&out);
        writer.setResolution(kPointsPerInch);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Point);
        writer.setTitle(source.runName());
        writer.setCreator(QStringLiteral("Kavendor"));
        ReportPainter painter(writer, QStringLiteral("%1  -  %2").arg(source.runName(), source.trackName()));
        if (!painter.begin()) {
            error = QStringLiteral("cannot write %1: no PDF could be started").arg(file);
            return false;
        }
        paintReport(painter, source, date);
        painter.finish();
    }
    if (!out.commit()) {
        error = QStringLiteral("cannot write %1: %2").arg(file, out.errorString());
        return false;
    }
    return true;
}

} // namespace kav
