#pragma once

#include "record_generic.h"

namespace kav {

// A record class holding one data record of type Rec; Rec{} is the record type's default record.
template <typename Rec>
class RecordOf : public GenericRecord {
public:
    using Data = Rec;

    const Rec& data() const { return m_data; }
    void setData(const Rec& data) { m_data = data; }

protected:
    Rec m_data;
};

} // namespace kav
