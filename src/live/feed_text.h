#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace kav {

// A feed text for the screen: UTF-8 when it is valid UTF-8, Windows-1252 otherwise. Every text that
// came from the feed or from a settings or layout file is shown and edited through this one rule.
QString feedText(std::string_view text);

// The bytes to keep for a text the operator saw as feedText(original): the original bytes, unchanged,
// when the operator left the text as shown, else the new text in UTF-8.
std::string storedText(const QString& shown, const std::string& original);

} // namespace kav
