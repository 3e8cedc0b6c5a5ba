#include "markers.h"

#include <algorithm>
#include <array>
#include <utility>

namespace kav {
namespace {

constexpr std::array<std::pair<int, const char*>, 7> kMarkerNames = {{
    {kWhiteFlag, "white flag"},
    {kGreyFlag, "grey flag"},
    {kBlackFlag, "black flag"},
    {kChequeredFlag, "chequered flag"},
    {kGreenBall, "green ball"},
    {kRedCross, "red cross"},
    {kGreenArrow, "green arrow"},
}};

} // namespace

bool showsMarker(int code)
{
    return std::any_of(kMarkerNames.begin(), kMarkerNames.end(),
                       [code](const auto& entry) { return entry.first == code; });
}

QString markerName(int code)
{
    for (const auto& [known, name] : kMarkerNames) {
        if (known == code)
            return QString::fromLatin1(name);
    }
    return {};
}

} // namespace kav
