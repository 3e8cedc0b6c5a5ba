#include "marker_list.h"

namespace kav {
namespace {

Marker newMarker(std::string_view regNo, std::int32_t passTime)
{
    Marker marker;
    marker.RegNo = regNo;
    marker.PassTime = passTime;
    return marker;
}

} // namespace

void MarkerList::setPassTime(std::string_view regNo, std::int32_t time)
{
    const int found = findByRegNo(regNo);
    if (found >= 0)
        setPassTimeAt(found, time);
    else
        append(newMarker(regNo, time));
}

void MarkerList::ensureMarker(std::string_view regNo)
{
    if (findByRegNo(regNo) < 0)
        append(newMarker(regNo, 0));
}

void MarkerList::setPassTimeAt(int index, std::int32_t time)
{
    if (isIndex(index))
        slotAt(index).mutableData().PassTime = time;
}

void MarkerList::setCode(int index, std::uint8_t Marker::*code, std::uint8_t value)
{
    if (isIndex(index))
        slotAt(index).mutableData().*code = value;
}

} // namespace kav
