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
#include "record_file.h"
#include "settings_store.h"
#include "text_compare.h"

namespace kav {
namespace {

namespace fs = std::filesystem;

void require(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "store invariant broken: %s\n", what);
        std::abort();
    }
}

// A folder for one input's files, in memory where the system offers it, removed after the input.
class FuzzFolder {
public:
    FuzzFolder()
    {
        static std::mt19937 names(std::random_device{}());
        std::error_code ec;
        const fs::path base = fs::is_directory("/dev/shm", ec) ? fs::path("/dev/shm") : fs::temp_directory_path();
        m_path = base / ("kav_store_fuzz_" + std::to_string(names()));
        fs::create_directories(m_path);
    }
    ~FuzzFolder()
    {
        std::error_code ec;
        fs::remove_all(m_path, ec);
    }
    FuzzFolder(const FuzzFolder&) = delete;
    FuzzFolder& operator=(const FuzzFolder&) = delete;
    fs::path filePath(std::string_view name) const { return m_path / name; }

private:
    fs::path m_path;
};

void writeBytes(const fs::path& file, std::string_view bytes)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    require(static_cast<bool>(out), "input file written");
}

void checkSorted(const RecordFile& db)
{
    const std::vector<std::string> names = db.sectionNames();
    for (std::size_t i = 1; i < names.size(); ++i)
        require(compareNoCase(names[i - 1], names[i]) < 0, "sections sorted and unique");
    for (const std::string& name : names) {
        const SectionLines& lines = *db.findSection(name);
        for (std::size_t i = 0; i < lines.size(); ++i) {
            require(!lines[i].empty(), "no empty lines");
            require(i == 0 || compareNoCase(lines[i - 1], lines[i]) <= 0, "lines sorted");
            const std::size_t equals = lines[i].find('=');
            if (equals != std::string::npos)
                (void)db.readInteger(name, std::string_view(lines[i]).substr(0, equals), 0);
        }
    }
}

void checkRecordFile(const FuzzFolder& folder, const fs::path& input)
{
    const RecordFile db = RecordFile::open(input);
    checkSorted(db);
    (void)db.readString("Communication", "CommType", "None");
    bool bracketInName = false;
    for (const std::string& name : db.sectionNames())
        bracketInName = bracketInName || name.find(']') != std::string::npos;
    if (bracketInName)
        return; // "[a]b]" reads back as "ab]": only names without "]" survive a write unchanged
    const fs::path copy = folder.filePath("copy.ini");
    writeBytes(copy, db.toText());
    require(RecordFile::open(copy).toText() == db.toText(), "database reads back as written");
}

void checkWindow(const ResultWindowSettings& rec)
{
    bool ended = false;
    for (std::size_t p = 0; p < kColumnSlots; ++p) {
        const std::uint8_t id = rec.ColRel[p];
        ended = ended || id == kNoCode;
        require(ended ? id == kNoCode : id < kColumnIds, "arrangement holds known identifiers, then 255");
        require(ended || rec.ColPos[id] == p, "ColPos points back to the arrangement");
    }
    require(rec.Font.Name.size() <= kMaxIniValueLength, "texts cut to 2047 characters");
}

void checkGeneralInfo(const GeneralInfoItems& genInfo)
{
    bool ended = false;
    for (std::uint8_t code : genInfo) {
        ended = ended || code == kNoCode;
        require(ended ? code == kNoCode : code >= 1 && code <= 10, "general info holds items 1 to 10, then 255");
    }
}

ResultWindowSettings readWindow(const fs::path& file, int number)
{
    ResultWindowSettings rec;
    rec.Number = static_cast<std::uint8_t>(number);
    readResultWindow(file, number, rec);
    checkWindow(rec);
    return rec;
}

// Everything outside the window's own section, as the store reads it.
struct OtherContent {
    MainSettings Settings;
    bool ShowFlag = false;
    GeneralInfoItems GenInfo{};
    LogoSettings Logo;
    ResultWindowSettings Neighbour;
    bool operator==(const OtherContent&) const = default;
};

OtherContent readOthers(const fs::path& file)
{
    OtherContent others;
    readMainSettings(file, others.Settings, others.ShowFlag);
    readGeneralInfo(file, others.GenInfo);
    readLogo(file, others.Logo);
    checkGeneralInfo(others.GenInfo);
    others.Neighbour = readWindow(file, 5);
    return others;
}

void checkStore(const FuzzFolder& folder, const fs::path& file)
{
    for (int number = 1; number <= 10; ++number)
        (void)readWindow(file, number);
    const OtherContent before = readOthers(file);

    ResultWindowSettings window = readWindow(file, 3);
    writeResultWindow(file, window);
    window.WinExist = true;
    require(readWindow(file, 3) == window, "a written window reads back equal");
    require(readOthers(file) == before, "writing a window keeps everything else");
    eraseResultWindow(file, 3);
    require(readWindow(file, 3) == readWindow(folder.filePath("absent.kvl"), 3), "an erased window reads as absent");
    require(readOthers(file) == before, "erasing a window keeps everything else");

    OtherContent settings = before;
    writeMainSettings(file, settings.Settings, settings.ShowFlag);
    settings.Settings.WinExist = true;
    const OtherContent after = readOthers(file);
    require(after.Settings == settings.Settings && after.ShowFlag == settings.ShowFlag, "settings read back equal");
}

} // namespace

void fuzzStoreOnce(const std::uint8_t* data, std::size_t size)
{
    const FuzzFolder folder;
    const fs::path input = folder.filePath("input.ini");
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    writeBytes(input, bytes);
    checkRecordFile(folder, input);
    checkStore(folder, input);
}

} // namespace kav
