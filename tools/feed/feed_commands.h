#pragma once

#include <string_view>
#include <vector>

namespace kav {

// The commands of kavendor-feed that send a feed; the arguments follow the command word.
// Exit status: 0 done, 1 the target or the file failed, 2 the arguments are wrong.
int runSimulate(const std::vector<std::string_view>& args);
int runServe(const std::vector<std::string_view>& args);

} // namespace kav
