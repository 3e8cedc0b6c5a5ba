#pragma once

#include <fstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace kav {

// A field of a case table with its escapes turned into bytes: \r \n \t \0 \\, \s (a space, where a
// trailing one would be lost) and \xHH.
inline std::string unescaped(std::string_view text)
{
    std::string bytes;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            bytes += text[i];
            continue;
        }
        switch (const char c = text[++i]) {
        case 'r': bytes += '\r'; break;
        case 'n': bytes += '\n'; break;
        case 't': bytes += '\t'; break;
        case '0': bytes += '\0'; break;
        case 's': bytes += ' '; break;
        case 'x': bytes += static_cast<char>(std::stoi(std::string(text.substr(i + 1, 2)), nullptr, 16)), i += 2; break;
        default: bytes += c;
        }
    }
    return bytes;
}

// The cases of a table in tests/data, one a line with its fields apart by " | "; blank lines and lines
// starting with '#' are left out. A missing or empty table throws, which fails the test that reads it.
inline std::vector<std::vector<std::string>> readCaseTable(const std::string& file)
{
    std::ifstream in(file, std::ios::binary);
    std::vector<std::vector<std::string>> rows;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        std::vector<std::string>& row = rows.emplace_back();
        for (std::size_t start = 0, end = 0; end != std::string::npos; start = end + 3) {
            end = line.find(" | ", start);
            row.push_back(unescaped(std::string_view(line).substr(start, end - start)));
        }
    }
    if (rows.empty())
        throw std::runtime_error("no cases in " + file);
    return rows;
}

} // namespace kav
