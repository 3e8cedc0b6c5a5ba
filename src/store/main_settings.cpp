#include "main_settings.h"

namespace kav {

HeaderTexts defaultHeaders()
{
    HeaderTexts headers;
    for (std::size_t i = 0; i < kHeaderCount; ++i)
        headers[i] = kDefaultHeaderTexts[i];
    return headers;
}

void resetGeneralInfo(GeneralInfoItems& genInfo)
{
    genInfo.fill(kNoCode);
}

} // namespace kav
