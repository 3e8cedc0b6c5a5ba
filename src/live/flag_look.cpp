#include "flag_look.h"

namespace kav {

QString flagWord(std::uint8_t flag)
{
    switch (flag) {
    case kFlagRed: return QStringLiteral("red");
    case kFlagYellow: return QStringLiteral("yellow");
    case kFlagGreen: return QStringLiteral("green");
    default: return QString::number(flag);
    }
}

QString flagOrFinishWord(std::uint8_t flag, bool finished)
{
    if (finished)
        return QStringLiteral("finish");
    return flag == kFlagRed || flag == kFlagYellow ? flagWord(flag) : QStringLiteral("green");
}

ColorValue lampColour(std::uint8_t flag)
{
    switch (flag) {
    case kFlagRed: return 0x0000FF;
    case kFlagYellow: return 0x00FFFF;
    default: return 0x00FF00;
    }
}

} // namespace kav
