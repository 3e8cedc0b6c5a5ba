#pragma once

#include <QAbstractTableModel>
#include <QPointer>

#include <cstdint>

namespace kav {

class TController;
class TFResults;

// Interim, until the program keeps one results model per window kind: the cells of the first open
// result window of a kind, read from its grid, as a model with the seventeen logical columns and the
// roles the web view reads. A kind without an open window has no rows. It goes away when the per-kind
// models are plugged in at plugResultModels().
class GridResultsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    GridResultsModel(TController& controller, std::uint8_t kind, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // The grid holds no signals of its own: after a look at the program every row counts as changed,
    // and the rows are counted again when the window or its size changed.
    void refresh();

private:
    TFResults* firstWindow() const;
    static int rowsOf(const TFResults* window);

    TController& m_controller;
    std::uint8_t m_kind;
    QPointer<TFResults> m_window;
    int m_rows = 0;
};

} // namespace kav
