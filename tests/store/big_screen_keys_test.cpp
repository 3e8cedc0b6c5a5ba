// The keys of fit to screen and of a window's class (layout files) and row shading (Kavendor.ini):
// written only while on, so that files written with them off are the files the program always wrote.
#include <gtest/gtest.h>

#include "layout_store.h"
#include "settings_store.h"
#include "temporary_folder.h"

namespace kav {
namespace {

TEST(BigScreenKeys, FitToScreenIsWrittenOnlyWhileOnAndReadsBack)
{
    TemporaryFolder folder;
    const auto written = [&folder](bool fit, int rows, int seconds, const std::string& shownClass = {}) {
        ResultWindowSettings rec;
        rec.Number = 2;
        std::tie(rec.FitToScreen, rec.FitRows, rec.PageSeconds, rec.ClassFilter) =
            std::tie(fit, rows, seconds, shownClass);
        writeLayout(folder / "a.kvl", {}, {}, {&rec, 1});
        readResultWindow(folder / "a.kvl", 2, rec);
        EXPECT_EQ(std::tie(rec.FitToScreen, rec.FitRows, rec.PageSeconds, rec.ClassFilter),
                  std::make_tuple(fit, fit ? rows : 0, fit ? seconds : 0, shownClass));
        return readFile(folder / "a.kvl");
    };
    const std::string plain = written(false, 0, 0);
    EXPECT_EQ(plain.find("Fit"), std::string::npos);
    EXPECT_EQ(plain.find("Class"), std::string::npos);
    EXPECT_NE(written(true, 12, 8, "GT Masters")
                  .find("WinExist=1\r\nFitToScreen=1\r\nFitRows=12\r\nPageSeconds=8\r\nClass=GT Masters\r\n"),
              std::string::npos);
    EXPECT_EQ(written(false, 12, 8), plain) << "saving over a fitted layout with it off leaves no trace";
}

TEST(BigScreenKeys, RowShadingIsInTheColoursSectionOnlyWhileOn)
{
    TemporaryFolder folder;
    const auto written = [&folder](bool on) {
        MainSettings settings;
        settings.AlternateRows = on;
        writeMainSettings(folder / "Kavendor.ini", settings, false);
        bool showFlag = false;
        readMainSettings(folder / "Kavendor.ini", settings, showFlag);
        EXPECT_EQ(settings.AlternateRows, on);
        return readFile(folder / "Kavendor.ini");
    };
    const std::string plain = written(false);
    EXPECT_NE(written(true).find("Color12=-2147483633\r\nAlternateRows=1\r\n"), std::string::npos);
    EXPECT_EQ(written(false), plain);
}

} // namespace
} // namespace kav
