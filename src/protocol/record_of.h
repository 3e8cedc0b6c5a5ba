#pragma once

#include "record_generic.h"

namespace kav {

// A record class holding one data record of type Rec; Rec{} is the record type's default record.
template <typename Rec>
class TRecordOf : public TRecordGeneric {
public:
    using Data = Rec;

    const Rec& GetData() const { return m_data; }
    void SetData(const Rec& data) { m_data = data; }

protected:
    Rec m_data;
};

} // namespace kav
