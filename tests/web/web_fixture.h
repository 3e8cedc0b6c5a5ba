#pragma once

#include <QColor>
#include <QStandardItemModel>

#include <array>
#include <memory>

#include "result_roles.h"
#include "results_source.h"

namespace kav::test {

// A results source as the program fills it: a run, one window of the current race and four models
// with the roles the web view reads.
class WebFixture {
public:
    WebFixture()
    {
        for (int kind = kFirstKind; kind <= kLastKind; ++kind) {
            auto& model = models[static_cast<std::size_t>(kind - 1)];
            model = std::make_unique<QStandardItemModel>(0, kResultColumns);
            source.setModel(kind, model.get());
        }
        for (int row = 0; row < 3; ++row)
            addRow(4, {QString::number(row + 1), "", QString::number(10 + row), "Ann", "Ash"});
        raceModel().setData(raceModel().index(0, kResultMarkerColumn), "green ball", kMarkerNameRole);
        source.setState(state());
    }

    static WebState state()
    {
        WebState state;
        state.run = {"Race 1", "yellow", false, "3", "   12:00", 2, 120};
        state.info = {{1, "Laps to Go:", "3", true}, {10, "Flag", "yellow", true}};
        state.followed = {{"11", "11"}};
        state.classes = {{1, "GT Masters"}, {3, "Cup"}};
        state.events = {{7, "00:12:34", "LEAD", "32", "GT Masters", "Car 32 takes the lead"}};
        state.colors = {"#000000", "#ffffff", "#000000", "#f0f0f0", "#ffffff",
                        "#0000ff", "#ff0000", "#000000", "#f0f0f0", ""};
        for (int column = 0; column < kResultColumns; ++column)
            state.headers.append(QStringLiteral("H%1").arg(column));
        state.kindTitles = {"Completed lap results", "Practice results", "Track positions", "Current Race results"};
        ResultWindowSettings window;
        window.Number = 1;
        window.Layout = 4;
        window.ColRel = {0, 1, 2, 5, kNoCode};
        window.Font = {"DejaVu Sans", 12, {true, false, false, false}, 0};
        window.WinExist = true;
        state.windows = {window};
        return state;
    }

    QStandardItemModel& raceModel() { return *models[3]; }

    void addRow(int kind, const QStringList& cells)
    {
        QList<QStandardItem*> items;
        for (int column = 0; column < kResultColumns; ++column) {
            auto* item = new QStandardItem(cells.value(column, " "));
            item->setForeground(QColor(Qt::black));
            item->setBackground(QColor(Qt::white));
            item->setTextAlignment(column == 0 ? Qt::AlignHCenter : Qt::AlignLeft);
            items.append(item);
        }
        models[static_cast<std::size_t>(kind - 1)]->appendRow(items);
    }

    ResultsSource source;
    std::array<std::unique_ptr<QStandardItemModel>, kLastKind> models;
};

} // namespace kav::test
