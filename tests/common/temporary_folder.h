#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <string_view>

namespace kav {

// A fresh folder for one test's files, removed with everything in it when the test ends.
class TemporaryFolder {
public:
    TemporaryFolder()
    {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        const std::string name = std::string("kav_test_") + test->test_suite_name() + "_" + test->name() + "_" +
                                 std::to_string(std::random_device{}());
        m_path = std::filesystem::temp_directory_path() / name;
        std::filesystem::create_directories(m_path);
    }
    ~TemporaryFolder()
    {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::filesystem::path& pathOf() const { return m_path; }
    std::filesystem::path operator/(std::string_view name) const { return m_path / name; }

private:
    std::filesystem::path m_path;
};

// Writes the file, making its folder first when there is none.
inline void writeFile(const std::filesystem::path& file, std::string_view content)
{
    std::error_code noFolder; // a bare file name has no folder to make
    std::filesystem::create_directories(file.parent_path(), noFolder);
    std::ofstream out(file, std::ios::binary);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
}

inline std::string readFile(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace kav
