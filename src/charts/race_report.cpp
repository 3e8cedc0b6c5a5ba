#include "race_report.h"

#include <QFontMetricsF>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QLocale>
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
constexpr qreal kMinimumFlexibleWidth = 60;
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
    bool flexible = false; // gives room to the columns whose texts need more than their share
};

using Row = QStringList;

QString trimmedTime(int cutMode, int blankMode, TimeValue time)
{
    return QString::fromLatin1(formatTime(cutMode, blankMode, time)).trimmed();
}

// The feed's "no time": nothing, zero, or the empty lap time 0:59:59.999.
bool isNoTime(TimeValue time)
{
    return time <= 0 || time == kEmptyLapTime;
}

QString lapTimeText(TimeValue time)
{
    if (isNoTime(time))
        return QStringLiteral("-");
    return time >= kTicksPerHour ? trimmedTime(1, 1, time) : trimmedTime(7, 3, time);
}

QString carNumber(const ClassifiedCar& car)
{
    return car.label.number.isEmpty() ? QString::fromStdString(car.regNo) : car.label.number;
}

// Once the chequered flag is out, every car that still crossed the line took it: its total is at
// least the winner's. A car whose total stopped short of it did not finish.
struct RaceEnd {
    bool finished = false;
    TimeValue winnerTotal = 0;
};

RaceEnd raceEndOf(const LapHistory& history, const std::vector<ClassifiedCar>& cars)
{
    RaceEnd end;
    for (int car = 0; car < history.carCount() && !end.finished; ++car) {
        const std::vector<LapEntry>& laps = history.car(car).laps;
        end.finished = std::any_of(laps.rbegin(), laps.rend(),
                                   [](const LapEntry& entry) { return entry.flag == LapFlag::Finish; });
    }
    end.finished = end.finished && !cars.empty() && !isNoTime(cars.front().totalTime);
    end.winnerTotal = cars.empty() ? 0 : cars.front().totalTime;
    return end;
}

// Behind the first car of the group: a time on the same lap, else the laps it is down; a car that
// never crossed the line did not start, one that stopped before the chequered flag did not finish.
QString gapText(const ClassifiedCar& car, const ClassifiedCar& first, const RaceEnd& end)
{
    if (car.laps <= 0)
        return QStringLiteral("DNS");
    if (end.finished && car.totalTime < end.winnerTotal)
        return QStringLiteral("DNF");
    if (&car == &first)
        return {};
    const std::int32_t lapsDown = first.laps - car.laps;
    if (lapsDown > 0)
        return QStringLiteral("+%1 %2").arg(lapsDown).arg(lapsDown == 1 ? QStringLiteral("lap")
                                                                        : QStringLiteral("laps"));
    if (isNoTime(car.totalTime) || isNoTime(first.totalTime))
        return QStringLiteral("-");
    const std::int64_t gap = std::int64_t{car.totalTime} - first.totalTime;
    const auto shown = static_cast<TimeValue>(std::clamp<std::int64_t>(gap, 0, kMaxShownTime));
    return QStringLiteral("+") + trimmedTime(1, 3, shown);
}

QString totalTimeText(TimeValue time)
{
    return isNoTime(time) ? QStringLiteral("-") : trimmedTime(1, 1, time);
}

QString bestLapText(const ClassifiedCar& car)
{
    if (isNoTime(car.bestLapTime))
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
    void drawRow(const std::vector<qreal>& widths, const std::vector<Column>& columns, const Row& row, bool header);
    std::vector<qreal> columnWidths(const std::vector<Column>& columns, const std::vector<Row>& rows) const;
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

void ReportPainter::drawRow(const std::vector<qreal>& widths, const std::vector<Column>& columns, const Row& row,
                            bool header)
{
    m_painter.setFont(font(kTextPoints, header));
    const QFontMetricsF metrics(m_painter.font(), m_painter.device());
    qreal x = m_body.left();
    for (std::size_t c = 0; c < columns.size(); ++c) {
        const QRectF cell(x + kCellPadding, m_y, widths[c] - 2 * kCellPadding, kRowHeight);
        const QString text = metrics.elidedText(row.value(qsizetype(c)), Qt::ElideRight, cell.width());
        m_painter.drawText(cell, columns[c].align | Qt::AlignVCenter, text);
        x += widths[c];
    }
    m_y += kRowHeight;
    if (header) {
        m_painter.drawLine(QPointF(m_body.left(), m_y), QPointF(m_body.right(), m_y));
        m_y += 1;
    }
}

// Each column as wide as its longest text needs (its share of the page at least, while the flexible
// column keeps its share); the flexible column (the names) takes the rest and cuts its own texts.
std::vector<qreal> ReportPainter::columnWidths(const std::vector<Column>& columns, const std::vector<Row>& rows) const
{
    const QFontMetricsF metrics(font(kTextPoints, true), &m_writer);
    std::vector<qreal> needed;
    std::vector<qreal> shares;
    for (std::size_t c = 0; c < columns.size(); ++c) {
        qreal width = metrics.horizontalAdvance(columns[c].title);
        for (const Row& row : rows)
            width = std::max(width, metrics.horizontalAdvance(row.value(qsizetype(c))));
        needed.push_back(columns[c].flexible ? 0 : width + 3 * kCellPadding);
        shares.push_back(columns[c].share * m_body.width());
    }
    const auto flexible =
        std::size_t(std::find_if(columns.begin(), columns.end(), [](const Column& column) { return column.flexible; }) -
                    columns.begin());
    std::vector<qreal> widths(columns.size());
    qreal fixed = 0;
    for (std::size_t c = 0; c < columns.size(); ++c)
        fixed += c == flexible ? 0 : std::max(needed[c], shares[c]);
    // Where the shares leave the flexible column too little, every other column gives up its slack.
    const bool tight = flexible < columns.size() && m_body.width() - fixed < shares[flexible];
    qreal used = 0;
    for (std::size_t c = 0; c < columns.size(); ++c) {
        widths[c] = c == flexible ? 0 : (tight ? needed[c] : std::max(needed[c], shares[c]));
        used += widths[c];
    }
    if (flexible < columns.size())
        widths[flexible] = std::max(m_body.width() - used, kMinimumFlexibleWidth);
    return widths;
}

void ReportPainter::table(const std::vector<Column>& columns, const std::vector<Row>& rows)
{
    Row titles;
    for (const Column& column : columns)
        titles.append(column.title);
    const std::vector<qreal> widths = columnWidths(columns, rows);
    drawRow(widths, columns, titles, true);
    for (const Row& row : rows) {
        if (m_y + kRowHeight > m_body.bottom()) {
            newPage();
            drawRow(widths, columns, titles, true); // each page of a table carries its column titles
        }
        drawRow(widths, columns, row, false);
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

std::vector<Row> classificationRows(const std::vector<ClassifiedCar>& cars, bool withClass, const RaceEnd& end)
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
        row << QString::number(car.laps) << totalTimeText(car.totalTime) << gapText(car, cars.front(), end)
            << bestLapText(car);
        rows.push_back(row);
    }
    return rows;
}

std::vector<Column> overallColumns()
{
    return {
        {QStringLiteral("Pos"), 0.06, Qt::AlignRight},       {QStringLiteral("Car"), 0.07, Qt::AlignRight},
        {QStringLiteral("Name"), 0.25, Qt::AlignLeft, true}, {QStringLiteral("Class"), 0.15},
        {QStringLiteral("Laps"), 0.06, Qt::AlignRight},      {QStringLiteral("Total time"), 0.14, Qt::AlignRight},
        {QStringLiteral("Gap"), 0.12, Qt::AlignRight},       {QStringLiteral("Best lap (lap)"), 0.15, Qt::AlignRight}};
}

std::vector<Column> classColumns()
{
    return {{QStringLiteral("Pos"), 0.06, Qt::AlignRight},  {QStringLiteral("Overall"), 0.09, Qt::AlignRight},
            {QStringLiteral("Car"), 0.07, Qt::AlignRight},  {QStringLiteral("Name"), 0.31, Qt::AlignLeft, true},
            {QStringLiteral("Laps"), 0.06, Qt::AlignRight}, {QStringLiteral("Total time"), 0.14, Qt::AlignRight},
            {QStringLiteral("Gap"), 0.12, Qt::AlignRight},  {QStringLiteral("Best lap (lap)"), 0.15, Qt::AlignRight}};
}

bool hasBestLap(const ClassifiedCar& car)
{
    return !isNoTime(car.bestLapTime);
}

// Every car with a best lap, the fastest first; the cars without one last, marked.
std::vector<Row> bestLapRows(std::vector<ClassifiedCar> cars, bool withClass)
{
    std::stable_partition(cars.begin(), cars.end(), hasBestLap);
    const auto timed = std::find_if_not(cars.begin(), cars.end(), hasBestLap);
    std::stable_sort(cars.begin(), timed,
                     [](const ClassifiedCar& a, const ClassifiedCar& b) { return a.bestLapTime < b.bestLapTime; });
    std::vector<Row> rows;
    for (std::size_t i = 0; i < cars.size(); ++i) {
        const ClassifiedCar& car = cars[i];
        const bool noTime = !hasBestLap(car);
        Row row{noTime ? QString() : QString::number(i + 1), carNumber(car), car.label.name};
        if (withClass)
            row << car.label.className;
        row << (car.bestLap > 0 && !noTime ? QString::number(car.bestLap) : QStringLiteral("-"))
            << (noTime ? QStringLiteral("No time") : lapTimeText(car.bestLapTime))
            << (i == 0 || noTime ? QString()
                                 : QStringLiteral("+") + trimmedTime(1, 3, car.bestLapTime - cars[0].bestLapTime));
        rows.push_back(row);
    }
    return rows;
}

std::vector<Column> bestLapColumns(bool withClass)
{
    std::vector<Column> columns = {{QStringLiteral("Rank"), 0.07, Qt::AlignRight},
                                   {QStringLiteral("Car"), 0.07, Qt::AlignRight},
                                   {QStringLiteral("Name"), withClass ? 0.30 : 0.48, Qt::AlignLeft, true},
                                   {QStringLiteral("Class"), 0.18},
                                   {QStringLiteral("Lap"), 0.08, Qt::AlignRight},
                                   {QStringLiteral("Lap time"), 0.15, Qt::AlignRight},
                                   {QStringLiteral("Gap"), 0.15, Qt::AlignRight}};
    if (!withClass)
        columns.erase(columns.begin() + 3);
    return columns;
}

// Practice laps: the best-lap table has a laps column, in place of the lap of the best lap.
std::vector<Row> sessionRows(const std::vector<ClassifiedCar>& cars, bool withClass)
{
    std::vector<Row> rows = bestLapRows(cars, withClass);
    std::vector<ClassifiedCar> sorted = cars;
    std::stable_partition(sorted.begin(), sorted.end(), hasBestLap);
    std::stable_sort(sorted.begin(), std::find_if_not(sorted.begin(), sorted.end(), hasBestLap),
                     [](const ClassifiedCar& a, const ClassifiedCar& b) { return a.bestLapTime < b.bestLapTime; });
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const ClassifiedCar& car = sorted[i];
        const QString best = rows[i][rows[i].size() - 2];
        rows[i][rows[i].size() - 3] = QString::number(car.laps);
        rows[i][rows[i].size() - 2] =
            car.bestLap > 0 && hasBestLap(car) ? QStringLiteral("%1 (%2)").arg(best).arg(car.bestLap) : best;
    }
    return rows;
}

std::vector<Column> sessionColumns(bool withClass)
{
    std::vector<Column> columns = bestLapColumns(withClass);
    columns[columns.size() - 3].title = QStringLiteral("Laps");
    columns[columns.size() - 2].title = QStringLiteral("Best lap (lap)");
    return columns;
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

// A session run on best laps: practice, qualifying, or a session without race standings.
bool isBestLapSession(const RaceSource& source, const std::vector<ClassifiedCar>& race)
{
    const QString name = source.runName().toLower();
    for (const char* word : {"practice", "qualif", "training", "warm-up", "warm up", "warmup"}) {
        if (name.contains(QLatin1String(word)))
            return true;
    }
    return std::none_of(race.begin(), race.end(), [](const ClassifiedCar& car) { return car.laps > 0; }) &&
           !source.bestLapClassification().empty();
}

QString timeOfDayText(TimeValue time)
{
    return QString::fromLatin1(formatTime(4, 0, time));
}

// The feed's date of the session ("01 Jun"), in the year of the reference day or the one before.
QDate sessionDay(const QString& text, const QDate& reference)
{
    const QLocale english(QLocale::English);
    for (const QString& format : {QStringLiteral("d MMM yyyy"), QStringLiteral("d.M.yyyy"), QStringLiteral("M/d/yyyy"),
                                  QStringLiteral("yyyy-MM-dd")}) {
        const QDate day = english.toDate(text, format);
        if (day.isValid())
            return day;
    }
    for (const QString& format : {QStringLiteral("d MMM"), QStringLiteral("d MMMM"), QStringLiteral("d.M.")}) {
        QDate day =
            english.toDate(text + QStringLiteral(" %1").arg(reference.year()), format + QStringLiteral(" yyyy"));
        if (day.isValid())
            return day > reference.addDays(1) ? day.addYears(-1) : day;
    }
    return {};
}

// The session's date and times where the feed gives them, else the date of the export, said so.
QString dateLine(const RaceSource& source, const QDate& exported, const QDate& recorded)
{
    const QDate day = sessionDay(source.sessionDate(), recorded.isValid() ? recorded : exported);
    if (!day.isValid())
        return QStringLiteral("Date: %1 (date of export; the feed gave no date)").arg(exported.toString(Qt::ISODate));
    QString line = QStringLiteral("Date: %1").arg(day.toString(Qt::ISODate));
    if (source.sessionStart() >= 0) {
        line += QStringLiteral(", from %1").arg(timeOfDayText(source.sessionStart()));
        if (source.lastTimeOfDay() >= 0)
            line += QStringLiteral(" to %1").arg(timeOfDayText(source.lastTimeOfDay()));
    }
    return line + QStringLiteral(" (timing system)");
}

void paintRace(ReportPainter& painter, const RaceSource& source, const std::vector<ClassifiedCar>& cars)
{
    const RaceEnd end = raceEndOf(source.lapHistory(), cars);
    painter.heading(QStringLiteral("Classification"));
    painter.table(overallColumns(), cars.empty() ? std::vector<Row>{} : classificationRows(cars, true, end));
    for (const std::vector<ClassifiedCar>& group : byClass(cars)) {
        painter.heading(QStringLiteral("Classification: ") + classHeading(group.front()));
        painter.table(classColumns(), classificationRows(group, false, end));
    }
    painter.heading(QStringLiteral("Fastest laps"));
    std::vector<ClassifiedCar> timed = cars;
    std::erase_if(timed, [](const ClassifiedCar& car) { return !hasBestLap(car); });
    painter.table(bestLapColumns(true), bestLapRows(timed, true));
    const qreal lapChartHeight = std::clamp(source.lapHistory().carCount() * kChartPointsPerCar, kChartHeight,
                                            painter.bodyHeight() - kRowHeight);
    painter.chart(source, LapChart::Kind::Position, lapChartHeight);
    painter.chart(source, LapChart::Kind::Gap, kChartHeight);
}

// Practice and qualifying are classified on best laps; race gaps and places mean nothing there.
void paintBestLapSession(ReportPainter& painter, const RaceSource& source)
{
    const std::vector<ClassifiedCar> cars = source.bestLapClassification();
    painter.heading(QStringLiteral("Classification (best laps)"));
    painter.table(sessionColumns(true), sessionRows(cars, true));
    for (const std::vector<ClassifiedCar>& group : byClass(cars)) {
        painter.heading(QStringLiteral("Classification (best laps): ") + classHeading(group.front()));
        painter.table(sessionColumns(false), sessionRows(group, false));
    }
    painter.chart(source, LapChart::Kind::LapTime, kChartHeight);
}

void paintReport(ReportPainter& painter, const RaceSource& source, const QDate& exported, const QDate& recorded)
{
    const std::vector<ClassifiedCar> cars = source.classification();
    const bool bestLaps = isBestLapSession(source, cars);
    painter.title(
        source.runName().isEmpty() ? (bestLaps ? QStringLiteral("Session report") : QStringLiteral("Race report"))
                                   : source.runName(),
        {QStringLiteral("Track: %1").arg(source.trackName().isEmpty() ? QStringLiteral("-") : source.trackName()),
         dateLine(source, exported, recorded)});
    if (bestLaps)
        paintBestLapSession(painter, source);
    else
        paintRace(painter, source, cars);
}

} // namespace

bool writeRaceReport(const RaceSource& source, const QString& file, QString& error, const QDate& exported,
                     const QDate& recorded)
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
        paintReport(painter, source, exported, recorded);
        painter.finish();
    }
    if (!out.commit()) {
        error = QStringLiteral("cannot write %1: %2").arg(file, out.errorString());
        return false;
    }
    return true;
}

} // namespace kav
