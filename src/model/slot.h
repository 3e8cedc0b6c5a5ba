#pragma once

#include <utility>

namespace kav {

// For entries from which a list derives nothing.
struct NoDerived {
    bool operator==(const NoDerived&) const = default;
};

// One list entry: its data record and what the list derived from it. Replacing the data forgets
// the derived part, so the list can never use it for data it was not made from.
template <typename Rec, typename Derived = NoDerived>
class Slot {
public:
    using Record = Rec;

    Slot() = default;
    explicit Slot(Rec data) : m_data(std::move(data)) {}

    const Rec& data() const { return m_data; }
    // For owners that change fields other than the key, or keep their key index in step themselves.
    Rec& mutableData() { return m_data; }
    void setData(Rec data)
    {
        m_data = std::move(data);
        m_derived = Derived{};
    }
    Derived& derivedState() { return m_derived; }

private:
    Rec m_data;
    [[no_unique_address]] Derived m_derived;
};

} // namespace kav
