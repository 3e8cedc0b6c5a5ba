#include "main_settings.h"

namespace kav {

HeaderTexts defaultHeaders()
{
    HeaderTexts headers;
    for (std::size_t i = 0; i < kHeaderCount; ++i)
        headers[i] = kDefaultHeaderTexts[i];
    return headers;
}

bool isFollowed(const FollowedCompetitors& list, std::string_view regNo)
{
    for (const std::string& followed : list) {
        if (followed.empty())
            return false;
        if (followed == regNo)
            return true;
    }
    return false;
}

void resetGeneralInfo(GeneralInfoItems& genInfo)
{
    genInfo.fill(kNoCode);
}

} // namespace kav
