#pragma once

#include <QObject>

#include <string_view>

#include "main_settings.h"

namespace kav {

// The drivers the operator follows, by registration number: their rows take the follow colours and the
// charts draw them bold. Part of the run, never stored; everyone who shows it hears of each change.
class FollowList : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // The list ends at its first empty entry.
    const FollowedCompetitors& entries() const { return m_entries; }
    bool contains(std::string_view regNo) const;
    // Tells of the change only when the list is another one.
    void set(const FollowedCompetitors& entries);
    void clear() { set({}); }

signals:
    void changed();

private:
    FollowedCompetitors m_entries;
};

} // namespace kav
