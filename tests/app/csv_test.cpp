#include <gtest/gtest.h>

#include "dump_writer.h"
#include "harness.h" // PrintTo for QString

using namespace kav;

TEST(Csv, FieldsAreQuotedOnlyWhenTheyNeedItAndLinesEndInCrLf)
{
    const std::tuple<const char*, QString, QString> fields[] = {
        {"plain", "Alpha", "Alpha"},
        {"empty", "", ""},
        {"padded number keeps its blanks", " 1:29.000", " 1:29.000"},
        {"comma", "Peruto, Esq.", "\"Peruto, Esq.\""},
        {"quote", "O\"Brien", "\"O\"\"Brien\""},
        {"only a quote", "\"", "\"\"\"\""},
        {"CR", "a\rb", "\"a\rb\""},
        {"LF", "a\nb", "\"a\nb\""},
        {"semicolon is plain", "a;b", "a;b"},
    };
    for (const auto& [name, text, written] : fields)
        EXPECT_EQ(CsvField(text), written) << name;
    EXPECT_EQ(CsvLine({"", "Ann, Jr", QString::fromUtf8("J\xc3\xa9r\xc3\xb4me"), ""}),
              ",\"Ann, Jr\",J\xc3\xa9r\xc3\xb4me,\r\n");
}
