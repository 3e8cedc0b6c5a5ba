#include "sample_results.h"

#include "results_model.h"

#include <array>

namespace kav {

namespace {

struct SampleDriver {
    const char* Number;
    const char* FirstName;
    const char* LastName;
    const char* Class;
    const char* Nation;
};

constexpr std::array<SampleDriver, 12> kDrivers{{
    {"7", "Anna", "Lindqvist", "GT3 Pro", "SWE"},
    {"23", "Marco", "Bellandi", "GT3 Pro", "ITA"},
    {"4", "Jonas", "Vermeulen", "GT3 Am", "BEL"},
    {"88", "Sophie", "Marchand", "GT4", "FRA"},
    {"12", "Tomasz", "Wrobel", "GT3 Pro", "POL"},
    {"31", "Elena", "Castillo", "GT4", "ESP"},
    {"5", "Lukas", "Brandt", "GT3 Am", "GER"},
    {"66", "Oliver", "Hughes", "GT3 Pro", "GBR"},
    {"19", "Mia", "Korhonen", "GT4", "FIN"},
    {"101", "Pieter", "de Graaf", "GT3 Am", "NED"},
    {"42", "Hannah", "Svoboda", "GT4", "CZE"},
    {"9", "Rui", "Almeida", "GT3 Pro", "POR"},
}};

constexpr std::array<std::uint8_t, 12> kStatusCodes = {3, 4, 255, 4, 0, 4, 1, 255, 2, 4, 6, 0};

QString nextLapTime(int tenths)
{
    return QStringLiteral("1:%1.%2").arg(tenths / 10, 2, 10, QLatin1Char('0')).arg(tenths % 10);
}

void writeCell(ResultsModel& model, std::uint8_t id, int row, const QString& text)
{
    model.setText(row - 1, id, text);
}

void fillRow(ResultsModel& model, int row)
{
    const SampleDriver& driver = kDrivers[std::size_t(row - 1) % kDrivers.size()];
    const QString name = QStringLiteral("%1 %2").arg(QLatin1String(driver.FirstName), QLatin1String(driver.LastName));
    writeCell(model, 2, row, QLatin1String(driver.Number));
    writeCell(model, 3, row, QLatin1String(driver.FirstName));
    writeCell(model, 4, row, QLatin1String(driver.LastName));
    writeCell(model, 5, row, name);
    writeCell(model, 6, row, QStringLiteral("Team %1").arg(QLatin1String(driver.LastName)));
    writeCell(model, 7, row, QString::number(24 - row / 5));
    writeCell(model, 8, row,
              QStringLiteral("%1:%2.%3")
                  .arg(38 + (10 + row * 3) / 60)
                  .arg((10 + row * 3) % 60, 2, 10, QLatin1Char('0'))
                  .arg(row * 37 % 1000, 3, 10, QLatin1Char('0')));
    writeCell(model, 9, row, nextLapTime(340 + row * 7 % 50));
    writeCell(model, 10, row, QString::number(3 + row % 19));
    writeCell(model, 11, row, nextLapTime(330 + row * 3));
    writeCell(model, 12, row, QStringLiteral("%1.%2").arg(160 - row).arg(row * 13 % 1000, 3, 10, QLatin1Char('0')));
    writeCell(model, 13, row, QStringLiteral("%1.%2").arg(166 - row).arg(row * 29 % 1000, 3, 10, QLatin1Char('0')));
    writeCell(model, 14, row,
              row == 1 ? QString()
                       : QStringLiteral("+%1.%2").arg(row * 2).arg(row * 91 % 1000, 3, 10, QLatin1Char('0')));
    writeCell(model, 15, row, QLatin1String(driver.Class));
    writeCell(model, 16, row, QLatin1String(driver.Nation));
    model.setMarker(row - 1, 1, kStatusCodes[std::size_t(row - 1) % kStatusCodes.size()]);
}

} // namespace

void fillSampleResults(ResultsModel& model)
{
    for (int row = 1; row <= model.rowCount(); ++row)
        fillRow(model, row);
    // Followed drivers stand out in the follow marker colours.
    if (model.rowCount() >= 4)
        model.setRowColours(3, 0xFF0000, 0xC0FFFF);
}

} // namespace kav
