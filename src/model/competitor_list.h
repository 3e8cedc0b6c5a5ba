#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "competitor_records.h"
#include "registration_number_index.h"
#include "slot.h"

namespace kav {

// One competitor of the run.
using CompetitorEntry = Slot<FullCompetitorRecord>;

// The competitors of the run in the order they were first added; no limit.
class CompetitorList {
public:
    int count() const { return static_cast<int>(m_entries.size()); }
    bool uniqueRegNo() const { return m_uniqueRegNo; }
    // When set, a record whose registration number is present replaces that competitor's data.
    void setUniqueRegNo(bool unique) { m_uniqueRegNo = unique; }

    void addOrUpdate(FullCompetitorRecord record);
    // The competitor at index, or the all-empty record outside 0..count-1.
    FullCompetitorRecord byIndex(int index) const;
    // The first competitor with regNo (cut to 8); the all-empty record for an empty regNo or no match.
    FullCompetitorRecord findByRegNo(std::string_view regNo) const;
    // The same in place; nullptr for no match.
    const FullCompetitorRecord* find(std::string_view regNo) const;
    // The class of that competitor, 0 when there is none; read in place, for every row on each standing.
    std::uint8_t classOf(std::string_view regNo) const;
    // Grows with every change of the list, so that what is worked out from it can tell it is still right.
    std::uint64_t generation() const { return m_generation; }
    void clear();

private:
    std::vector<CompetitorEntry> m_entries;
    RegistrationNumberIndex m_index;
    bool m_uniqueRegNo = false;
    std::uint64_t m_generation = 1;
};

// The longest competitor number in characters, 0 for an empty list; aligns numbers before names.
std::uint8_t maxNumberLength(const CompetitorList& list);

} // namespace kav
