#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mutated_inputs.h"
#include "store_fuzz_entry.h"

namespace kav {
namespace {

// The fuzz entry point over mutated settings files and random bytes.
TEST(StoreFuzzSmoke, MutatedFilesBreakNothing)
{
    const std::vector<std::string> seeds = {
        "[Colors]\r\nColor1=-2147483633\r\nColor3=255\r\n\r\n[MainWin]\r\nWinHeigth=600\r\nTrackName=Assen\r\n",
        "[ResultWin3]\r\nLayout=1\r\nColRel0=0\r\nColRel1=2\r\nColRel2=255\r\nFontName=\" Arial \"\r\nWinExist=1\r\n",
        "[GeneralInfo]\nGenInfo1=10\nGenInfo2=1\n[Logo]\nLogoVisible=1\nLogoFileName=a.bmp",
        "[Communication]\r\nCommType=RS232\r\n\r\n[Communication\\Serial]\r\nS_Port=1\r\n",
        "\xEF\xBB\xBF  [ resultwin3 ] x\r  colrel0 = $10 \r[]\r[a]]b]\r=\r",
    };
    runMutated(seeds, {11, 400, 8, 6, std::string("[]=\r\n\0\" \t$x-9", 13)}, fuzzStoreOnce);
    SUCCEED();
}

} // namespace
} // namespace kav
