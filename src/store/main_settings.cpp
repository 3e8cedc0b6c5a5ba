#include "main_settings.h"

namespace kav {

THeaderRec DefaultHeaders()
{
    THeaderRec headers;
    for (std::size_t i = 0; i < kHeaderCount; ++i)
        headers[i] = kDefaultHeaderTexts[i];
    return headers;
}

bool isFollowed(const TFollowList& list, std::string_view regNo)
{
    for (const std::string& followed : list) {
        if (followed.empty())
            return false;
        if (followed == regNo)
            return true;
    }
    return false;
}

void ResetGenInfo(TGenInfo& genInfo)
{
    genInfo.fill(kNoCode);
}

} // namespace kav
