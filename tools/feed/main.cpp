// kavendor-feed: the feed toolbox for operators.
#include <cstring>
#include <fstream>
#include <iostream>
#include <string_view>

#include "feed_inspect.h"

namespace {

constexpr std::string_view kUsage =
    "usage: kavendor-feed inspect [FILE]\n"
    "  inspect   print, for each line of FILE (standard input when none is given), the record kind,\n"
    "            whether the line is a valid record, and the record as the program writes it back\n";

int Inspect(int argc, char** argv)
{
    if (argc > 3) {
        std::cerr << kUsage;
        return 2;
    }
    std::ios::sync_with_stdio(false);
    if (argc == 2) {
        kav::InspectFeed(std::cin, std::cout);
    } else {
        std::ifstream file(argv[2], std::ios::binary);
        if (!file) {
            std::cerr << "kavendor-feed: cannot open " << argv[2] << ": " << std::strerror(errno) << '\n';
            return 1;
        }
        kav::InspectFeed(file, std::cout);
    }
    std::cout.flush();
    return std::cout ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 2 && std::string_view(argv[1]) == "inspect")
        return Inspect(argc, argv);
    if (argc >= 2 && (std::string_view(argv[1]) == "--help" || std::string_view(argv[1]) == "-h")) {
        std::cout << kUsage;
        return 0;
    }
    std::cerr << kUsage;
    return 2;
}
