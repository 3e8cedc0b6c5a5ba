#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "store_fuzz_entry.h"

namespace kav {
namespace {

// A short run of the fuzz entry point over mutated settings files and random bytes; `make fuzz` runs
// the coverage-guided version for longer.
TEST(StoreFuzzSmoke, MutatedFilesBreakNothing)
{
    const std::vector<std::string> seeds = {
        "[Colors]\r\nColor1=-2147483633\r\nColor3=255\r\n\r\n[MainWin]\r\nWinHeigth=600\r\nTrackName=Assen\r\n",
        "[ResultWin3]\r\nLayout=1\r\nColRel0=0\r\nColRel1=2\r\nColRel2=255\r\nFontName=\" Arial \"\r\nWinExist=1\r\n",
        "[GeneralInfo]\nGenInfo1=10\nGenInfo2=1\n[Logo]\nLogoVisible=1\nLogoFileName=a.bmp",
        "[Communication]\r\nCommType=RS232\r\n\r\n[Communication\\Serial]\r\nS_Port=1\r\n",
        "\xEF\xBB\xBF  [ resultwin3 ] x\r  colrel0 = $10 \r[]\r[a]]b]\r=\r",
    };
    std::mt19937 rng(11);
    auto pick = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng); };
    for (int round = 0; round < 400; ++round) {
        std::string text = seeds[pick(seeds.size())];
        const int edits = static_cast<int>(pick(8));
        for (int e = 0; e < edits && !text.empty(); ++e) {
            const std::size_t at = pick(text.size());
            switch (pick(4)) {
            case 0: text[at] = static_cast<char>(pick(256)); break;
            case 1: text.erase(at, 1 + pick(6)); break;
            case 2: text.insert(at, 1, "[]=\r\n\0\" \t$x-9"[pick(13)]); break;
            default: text += text.substr(at); break;
            }
        }
        fuzzStoreOnce(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    }
    SUCCEED();
}

} // namespace
} // namespace kav
