// The ways of writing a settings, layout or database file (the settings and result windows are written
// as the ini file is), against every way a write fails: the write error names the file, and the file on
// disk stays exactly as it was.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <string>
#include <sys/resource.h>

#include "file_errors.h"
#include "ini_file.h"
#include "layout_store.h"
#include "record_file.h"
#include "settings_store.h"
#include "temporary_folder.h"

namespace kav {
namespace {

namespace fs = std::filesystem;

constexpr rlim_t kWritableBytes = 1024;
const std::string kLong(1500, 'n'); // makes every file below larger than the limit

// A layout whose general information alone fits under the limit and whose logo does not: a save that
// put the file back section by section would have replaced it before failing.
void saveLayout(const fs::path& file)
{
    ResultWindowSettings window;
    window.Number = 2;
    const LogoSettings logo{{}, true, kLong};
    writeLayout(file, GeneralInfoItems{3, 1}, logo, {&window, 1});
}

struct Writer {
    const char* name;
    std::function<void(const fs::path&)> write;
    bool readsTheFile; // a file it cannot read whole is never overwritten
};

const Writer kWriters[] = {
    {"ini file",
     [](const fs::path& file) {
         IniFile ini(file);
         ini.writeString("MainWin", "TrackName", kLong);
         ini.commit();
     },
     true},
    {"layout", saveLayout, true},
    {"channel database",
     [](const fs::path& file) {
         RecordFile db = RecordFile::createNew(file);
         db.writeString("Communication\\TCPIP", "TCPIP_Addr", kLong);
         db.save();
     },
     false},
};

TEST(WriteFailure, RaisesTheWriteErrorAndLeavesTheOldFileWhole)
{
    const std::string old = "; by hand\r\n[Notes]\r\nWho=me\r\n";
    const std::string huge = "[S]\r\nk=1\r\n" + std::string(2u << 20, 'z');
    for (const Writer& writer : kWriters) {
        SCOPED_TRACE(writer.name);
        TemporaryFolder folder;
        writeFile(folder / "plain", old);
        writeFile(folder / "huge.ini", huge);
        fs::create_directory(folder / "folder.ini");
        for (const fs::path& file : {folder / "missing" / "a.ini", folder / "plain" / "a.ini", folder / "folder.ini"}) {
            try {
                writer.write(file);
                ADD_FAILURE() << "no error for " << file;
            } catch (const FileWriteError& e) {
                EXPECT_EQ(std::string(e.what()), "Unable to write to " + file.string());
            }
        }
        if (writer.readsTheFile) {
            EXPECT_THROW(writer.write(folder / "huge.ini"), FileWriteError) << "a file too large to read whole";
            EXPECT_EQ(readFile(folder / "huge.ini"), huge);
        }
        // The disk full part-way: a limit of the file size this process may write holds for root too.
        rlimit saved{};
        ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
        const rlimit limit{kWritableBytes, saved.rlim_max};
        std::signal(SIGXFSZ, SIG_IGN);
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
        EXPECT_THROW(writer.write(folder / "plain"), FileWriteError);
        setrlimit(RLIMIT_FSIZE, &saved);
        EXPECT_EQ(readFile(folder / "plain"), old);
        EXPECT_EQ(std::distance(fs::directory_iterator(folder.pathOf()), {}), 3) << "a temporary file was left";
    }
}

} // namespace
} // namespace kav
