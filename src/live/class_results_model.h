#pragma once

#include "results_model.h"

#include <QString>

namespace kav {

// The rows of one class of a results model, in its order, as a results model of their own: what a
// result window set to one class shows, prints, fits to the screen and dumps. The place and gap
// columns show the class's own (class position, class gap). It follows each announced change of the
// model it reads, which must outlive it.
class ClassResultsModel : public ResultsModel {
    Q_OBJECT
public:
    ClassResultsModel(const ResultsModel& all, const QString& className, QObject* parent = nullptr);

    const QString& className() const { return m_className; }
    const ResultsModel& field() const { return m_all; }
    // Whether a class text names the class (any case, blanks around it ignored).
    static bool sameClass(const QString& classText, const QString& className);

    // Brings the rows up to the field now, for a reader that cannot wait for the next turn of the
    // event loop (the dump at the end of a replay).
    void follow();

private:
    void followSoon();

    const ResultsModel& m_all;
    QString m_className;
    bool m_followPending = false;
};

} // namespace kav
