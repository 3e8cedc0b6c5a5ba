#include "record_kind.h"

#include <array>

#include "field_scanner.h"

namespace kav {
namespace {

// Tags by kind, 0 to 21.
constexpr std::array<std::string_view, kKindLine> kTags = {
    "$A", "$B",    "$C",    "$D",       "$E",      "$F",          "$G", "$H",     "$I",           "$J", "$JQ",
    "$T", "$COMP", "$FREQ", "$TRANREL", "$RESULT", "$SCHEMEINFO", "$S", "$POINT", "$POINTSCHEME", "$Q", "$SPONSORMAKE"};
constexpr std::size_t kLongestTag = 12;

// The kinds of the two-character tags by their letter, so that the common records need no search.
constexpr std::array<std::uint8_t, 26> ShortTagKinds()
{
    std::array<std::uint8_t, 26> kinds{};
    kinds.fill(kKindUnknown);
    for (std::size_t kind = 0; kind < kTags.size(); ++kind) {
        if (kTags[kind].size() == 2)
            kinds[static_cast<std::size_t>(kTags[kind][1] - 'A')] = static_cast<std::uint8_t>(kind);
    }
    return kinds;
}
constexpr std::array<std::uint8_t, 26> kShortTagKinds = ShortTagKinds();

constexpr char Upper(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

} // namespace

std::uint8_t kindOfTag(std::string_view tag)
{
    if (tag.size() < 2 || tag.size() > kLongestTag || tag[0] != '$')
        return kKindUnknown;
    if (tag.size() == 2) {
        const char letter = Upper(tag[1]);
        if (letter < 'A' || letter > 'Z')
            return kKindUnknown;
        return kShortTagKinds[static_cast<std::size_t>(letter - 'A')];
    }
    char upper[kLongestTag];
    for (std::size_t i = 0; i < tag.size(); ++i)
        upper[i] = Upper(tag[i]);
    const std::string_view wanted(upper, tag.size());
    for (std::size_t kind = 0; kind < kTags.size(); ++kind) {
        if (kTags[kind] == wanted)
            return static_cast<std::uint8_t>(kind);
    }
    return kKindUnknown;
}

std::uint8_t Recognise(std::string_view line, const FieldSeparators& separators)
{
    std::string_view tag;
    NextField(line, tag, separators);
    return kindOfTag(tag);
}

} // namespace kav
