#include "system_colors.h"

#include <array>

namespace kav {

namespace {

struct SystemRole {
    QPalette::ColorGroup Group;
    QPalette::ColorRole Role;
};

// The Windows system colour table by index, each entry mapped to the palette role that plays the same
// part on this desktop. Index 25 is unused there and falls back to the window text colour.
constexpr std::array<SystemRole, 31> kSystemRoles{{
    {QPalette::Active, QPalette::Button},            // 0 scroll bar
    {QPalette::Active, QPalette::Dark},              // 1 desktop
    {QPalette::Active, QPalette::Highlight},         // 2 active caption
    {QPalette::Inactive, QPalette::Highlight},       // 3 inactive caption
    {QPalette::Active, QPalette::Window},            // 4 menu
    {QPalette::Active, QPalette::Base},              // 5 window
    {QPalette::Active, QPalette::Shadow},            // 6 window frame
    {QPalette::Active, QPalette::WindowText},        // 7 menu text
    {QPalette::Active, QPalette::Text},              // 8 window text
    {QPalette::Active, QPalette::HighlightedText},   // 9 caption text
    {QPalette::Active, QPalette::Window},            // 10 active border
    {QPalette::Inactive, QPalette::Window},          // 11 inactive border
    {QPalette::Active, QPalette::Mid},               // 12 application workspace
    {QPalette::Active, QPalette::Highlight},         // 13 highlight
    {QPalette::Active, QPalette::HighlightedText},   // 14 highlight text
    {QPalette::Active, QPalette::Button},            // 15 button face
    {QPalette::Active, QPalette::Dark},              // 16 button shadow
    {QPalette::Disabled, QPalette::Text},            // 17 grey text
    {QPalette::Active, QPalette::ButtonText},        // 18 button text
    {QPalette::Inactive, QPalette::HighlightedText}, // 19 inactive caption text
    {QPalette::Active, QPalette::Light},             // 20 button highlight
    {QPalette::Active, QPalette::Shadow},            // 21 3D dark shadow
    {QPalette::Active, QPalette::Midlight},          // 22 3D light
    {QPalette::Active, QPalette::ToolTipText},       // 23 info text
    {QPalette::Active, QPalette::ToolTipBase},       // 24 info background
    {QPalette::Active, QPalette::Text},              // 25 unused
    {QPalette::Active, QPalette::Link},              // 26 hot light
    {QPalette::Active, QPalette::Highlight},         // 27 gradient active caption
    {QPalette::Inactive, QPalette::Highlight},       // 28 gradient inactive caption
    {QPalette::Active, QPalette::Highlight},         // 29 menu highlight
    {QPalette::Active, QPalette::Window},            // 30 menu bar
}};

} // namespace

bool isSystemColor(ColorValue value)
{
    return (static_cast<std::uint32_t>(value) & 0x80000000u) != 0;
}

QColor toQColor(ColorValue value, const QPalette& palette)
{
    const auto bits = static_cast<std::uint32_t>(value);
    if (!isSystemColor(value))
        return QColor(int(bits & 0xFFu), int((bits >> 8) & 0xFFu), int((bits >> 16) & 0xFFu));
    const std::uint32_t index = bits & 0xFFu;
    if (index >= kSystemRoles.size())
        return palette.color(QPalette::Active, QPalette::Text);
    return palette.color(kSystemRoles[index].Group, kSystemRoles[index].Role);
}

ColorValue fromQColor(const QColor& color)
{
    const QColor rgb = color.toRgb();
    return static_cast<ColorValue>(std::uint32_t(rgb.red()) | std::uint32_t(rgb.green()) << 8 |
                                   std::uint32_t(rgb.blue()) << 16);
}

QColor alternateRowColor(const QColor& background, const QColor& text)
{
    constexpr int kShadePercent = 14;
    const auto mix = [](int from, int to) { return from + (to - from) * kShadePercent / 100; };
    return QColor(mix(background.red(), text.red()), mix(background.green(), text.green()),
                  mix(background.blue(), text.blue()));
}

} // namespace kav
