#include "main_settings.h"

namespace kav {

THeaderRec DefaultHeaders()
{
    THeaderRec headers;
    for (std::size_t i = 0; i < kHeaderCount; ++i)
        headers[i] = kDefaultHeaderTexts[i];
    return headers;
}

void ResetGenInfo(TGenInfo& genInfo)
{
    genInfo.fill(kNoCode);
}

} // namespace kav
