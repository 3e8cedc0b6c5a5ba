#pragma once

#include <QString>

#include <string_view>

namespace kav {

// A feed text for the screen: UTF-8 when it is valid UTF-8, Windows-1252 otherwise.
QString FeedText(std::string_view text);

} // namespace kav
