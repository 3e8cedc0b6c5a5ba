#include <gtest/gtest.h>

#include "csv_reader.h"
#include "dump_writer.h"
#include "harness.h" // PrintTo for QString

using namespace kav;

namespace {

struct TFieldCase {
    const char* name;
    QString text;
    QString written;
};

void PrintTo(const TFieldCase& field, std::ostream* os)
{
    *os << field.name;
}

class CsvFieldQuoting : public ::testing::TestWithParam<TFieldCase> {};

} // namespace

TEST_P(CsvFieldQuoting, QuotesOnlyWhatNeedsIt)
{
    EXPECT_EQ(CsvField(GetParam().text), GetParam().written);
}

INSTANTIATE_TEST_SUITE_P(Fields, CsvFieldQuoting,
                         ::testing::Values(TFieldCase{"plain", "Alpha", "Alpha"}, TFieldCase{"empty", "", ""},
                                           TFieldCase{"padded_number_keeps_its_blanks", " 1:29.000", " 1:29.000"},
                                           TFieldCase{"comma", "Peruto, Esq.", "\"Peruto, Esq.\""},
                                           TFieldCase{"quote", "O\"Brien", "\"O\"\"Brien\""},
                                           TFieldCase{"only_a_quote", "\"", "\"\"\"\""},
                                           TFieldCase{"CR", "a\rb", "\"a\rb\""}, TFieldCase{"LF", "a\nb", "\"a\nb\""},
                                           TFieldCase{"semicolon_is_plain", "a;b", "a;b"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CsvLine, EndsInCrLfAndReadsBackFieldForField)
{
    const QStringList fields = {"", "Ann, Jr", "O\"Brien", " 12", "line\r\nbreak", QString::fromUtf8("Öhlund"), ""};
    const QByteArray line = CsvLine(fields);
    EXPECT_TRUE(line.endsWith("\r\n"));
    const auto records = test::ReadCsv(line);
    ASSERT_TRUE(records.has_value()) << line.toStdString();
    ASSERT_EQ(records->size(), 1);
    EXPECT_EQ(records->front(), fields);
}

TEST(CsvLine, WritesUtf8)
{
    const QString name = QString::fromUtf8("Jérôme Łukasz");
    EXPECT_EQ(CsvLine({name}), name.toUtf8() + "\r\n");
}
