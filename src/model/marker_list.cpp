#include "marker_list.h"

namespace kav {
namespace {

TMarker NewMarker(std::string_view regNo, std::int32_t passTime)
{
    TMarker marker;
    marker.RegNo = regNo;
    marker.PassTime = passTime;
    return marker;
}

} // namespace

void TMarkerList::SetPassTime(std::string_view regNo, std::int32_t time)
{
    const int found = FindByRegNo(regNo);
    if (found >= 0)
        SetPassTimeAt(found, time);
    else
        Append(NewMarker(regNo, time));
}

void TMarkerList::EnsureMarker(std::string_view regNo)
{
    if (FindByRegNo(regNo) < 0)
        Append(NewMarker(regNo, 0));
}

void TMarkerList::SetPassTimeAt(int index, std::int32_t time)
{
    if (IsIndex(index))
        SlotAt(index).MutableData().PassTime = time;
}

void TMarkerList::SetCode(int index, std::uint8_t TMarker::*code, std::uint8_t value)
{
    if (IsIndex(index))
        SlotAt(index).MutableData().*code = value;
}

} // namespace kav
