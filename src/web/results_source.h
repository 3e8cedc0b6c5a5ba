#pragma once

#include <QObject>
#include <QPointer>

#include <array>

#include "result_roles.h"
#include "web_state.h"

class QAbstractItemModel;

namespace kav {

// The input of the web view: the description of the run and its windows, and one results model per
// window kind. The program fills it; the web view only reads.
class ResultsSource : public QObject {
    Q_OBJECT
public:
    explicit ResultsSource(QObject* parent = nullptr);

    const WebState& state() const { return m_state; }
    // Takes a new description; says stateChanged only when it differs.
    void setState(const WebState& state);
    // The lines counted alone, as they change many times a second.
    void setLineCount(qint64 lines);

    // The results model of kind 1 to 4; none leaves that kind without rows.
    QAbstractItemModel* model(int kind) const;
    void setModel(int kind, QAbstractItemModel* model);

signals:
    void stateChanged();
    void modelReplaced(int kind);

private:
    WebState m_state;
    std::array<QPointer<QAbstractItemModel>, kLastKind> m_models;
};

} // namespace kav
