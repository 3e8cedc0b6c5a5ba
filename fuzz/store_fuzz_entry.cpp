#include "store_fuzz_entry.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>

#include "ini_lines.h"
#include "layout_store.h"
#include "rec_file.h"
#include "settings_store.h"
#include "text_compare.h"

namespace kav {
namespace {

namespace fs = std::filesystem;

void Require(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "store invariant broken: %s\n", what);
        std::abort();
    }
}

// A folder for one input's files, in memory where the system offers it, removed after the input.
class TFuzzFolder {
public:
    TFuzzFolder()
    {
        static std::mt19937 names(std::random_device{}());
        std::error_code ec;
        const fs::path base = fs::is_directory("/dev/shm", ec) ? fs::path("/dev/shm") : fs::temp_directory_path();
        m_path = base / ("kav_store_fuzz_" + std::to_string(names()));
        fs::create_directories(m_path);
    }
    ~TFuzzFolder()
    {
        std::error_code ec;
        fs::remove_all(m_path, ec);
    }
    TFuzzFolder(const TFuzzFolder&) = delete;
    TFuzzFolder& operator=(const TFuzzFolder&) = delete;
    fs::path File(std::string_view name) const { return m_path / name; }

private:
    fs::path m_path;
};

void WriteBytes(const fs::path& file, std::string_view bytes)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    Require(static_cast<bool>(out), "input file written");
}

void CheckSorted(const TRecFile& db)
{
    const std::vector<std::string> names = db.SectionNames();
    for (std::size_t i = 1; i < names.size(); ++i)
        Require(CompareNoCase(names[i - 1], names[i]) < 0, "sections sorted and unique");
    for (const std::string& name : names) {
        const TRecLines& lines = *db.FindSection(name);
        for (std::size_t i = 0; i < lines.size(); ++i) {
            Require(!lines[i].empty(), "no empty lines");
            Require(i == 0 || CompareNoCase(lines[i - 1], lines[i]) <= 0, "lines sorted");
            const std::size_t equals = lines[i].find('=');
            if (equals != std::string::npos)
                (void)db.ReadInteger(name, std::string_view(lines[i]).substr(0, equals), 0);
        }
    }
}

void CheckRecFile(const TFuzzFolder& folder, const fs::path& input)
{
    const TRecFile db = TRecFile::Open(input);
    CheckSorted(db);
    (void)db.ReadString("Communication", "CommType", "None");
    bool bracketInName = false;
    for (const std::string& name : db.SectionNames())
        bracketInName = bracketInName || name.find(']') != std::string::npos;
    if (bracketInName)
        return; // "[a]b]" reads back as "ab]": only names without "]" survive a write unchanged
    const fs::path copy = folder.File("copy.ini");
    WriteBytes(copy, db.ToText());
    Require(TRecFile::Open(copy).ToText() == db.ToText(), "database reads back as written");
}

void CheckWindow(const TResultWinRec& rec)
{
    bool ended = false;
    for (std::size_t p = 0; p < kColumnSlots; ++p) {
        const std::uint8_t id = rec.ColRel[p];
        ended = ended || id == kNoCode;
        Require(ended ? id == kNoCode : id < kColumnIds, "arrangement holds known identifiers, then 255");
        Require(ended || rec.ColPos[id] == p, "ColPos points back to the arrangement");
    }
    Require(rec.Font.Name.size() <= kMaxIniValueLength, "texts cut to 2047 characters");
}

void CheckGenInfo(const TGenInfo& genInfo)
{
    bool ended = false;
    for (std::uint8_t code : genInfo) {
        ended = ended || code == kNoCode;
        Require(ended ? code == kNoCode : code >= 1 && code <= 10, "general info holds items 1 to 10, then 255");
    }
}

TResultWinRec ReadWindow(const fs::path& file, int number)
{
    TResultWinRec rec;
    rec.Number = static_cast<std::uint8_t>(number);
    ReadResultWin(file, number, rec);
    CheckWindow(rec);
    return rec;
}

// Everything outside the window's own section, as the store reads it.
struct TOtherContent {
    TMainSettings Settings;
    bool ShowFlag = false;
    TGenInfo GenInfo{};
    TLogoRec Logo;
    TResultWinRec Neighbour;
    bool operator==(const TOtherContent&) const = default;
};

TOtherContent ReadOthers(const fs::path& file)
{
    TOtherContent others;
    ReadMainSettings(file, others.Settings, others.ShowFlag);
    ReadGenInfo(file, others.GenInfo);
    ReadLogo(file, others.Logo);
    CheckGenInfo(others.GenInfo);
    others.Neighbour = ReadWindow(file, 5);
    return others;
}

void CheckStore(const TFuzzFolder& folder, const fs::path& file)
{
    for (int number = 1; number <= 10; ++number)
        (void)ReadWindow(file, number);
    const TOtherContent before = ReadOthers(file);

    TResultWinRec window = ReadWindow(file, 3);
    WriteResultWin(file, window);
    window.WinExist = true;
    Require(ReadWindow(file, 3) == window, "a written window reads back equal");
    Require(ReadOthers(file) == before, "writing a window keeps everything else");
    EraseResultWin(file, 3);
    Require(ReadWindow(file, 3) == ReadWindow(folder.File("absent.kvl"), 3), "an erased window reads as absent");
    Require(ReadOthers(file) == before, "erasing a window keeps everything else");

    TOtherContent settings = before;
    WriteMainSettings(file, settings.Settings, settings.ShowFlag);
    settings.Settings.WinExist = true;
    const TOtherContent after = ReadOthers(file);
    Require(after.Settings == settings.Settings && after.ShowFlag == settings.ShowFlag, "settings read back equal");
}

} // namespace

void FuzzStoreOnce(const std::uint8_t* data, std::size_t size)
{
    const TFuzzFolder folder;
    const fs::path input = folder.File("input.ini");
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    WriteBytes(input, bytes);
    CheckRecFile(folder, input);
    CheckStore(folder, input);
}

} // namespace kav
