// The JSON document of the web view: the whole state as documented in the manual, and live updates
// that carry exactly what changed since the last one.

#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <functional>

#include "state_document.h"
#include "web_fixture.h"

using namespace kav;

namespace {

QJsonObject parse(const QByteArray& json)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    return document.object();
}

// The snapshot without its clock time, which no file can hold.
QJsonObject timeless(QJsonObject document)
{
    EXPECT_GT(document.value("time").toInteger(), 0);
    document.remove("time");
    return document;
}

struct UpdateCase {
    const char* name;
    std::function<void(test::WebFixture&)> change;
    QJsonObject expected; // the update without type, seq and time; empty: no update at all
};

// A row of the fixture's current race as the document writes it; cells not given are blank.
QJsonObject row(QStringList cells, const QString& marker = {})
{
    while (cells.size() < kResultColumns)
        cells.append(" ");
    return {{"cells", QJsonArray::fromStringList(cells)},
            {"marker", marker},
            {"color", "#000000"},
            {"background", "#ffffff"}};
}

// An update of the current race's rows, with its new row count when given.
QJsonObject changedRows(const QJsonObject& rows, int rowCount = -1)
{
    QJsonObject kind;
    if (!rows.isEmpty())
        kind.insert("rows", rows);
    if (rowCount >= 0)
        kind.insert("rowCount", rowCount);
    return {{"kinds", QJsonObject{{"4", kind}}}};
}

} // namespace

TEST(StateDocument, SnapshotIsTheDocumentedExample)
{
    test::WebFixture fixture;
    StateDocument document(fixture.source);
    QFile expected(QStringLiteral(KAV_TEST_DATA "/web/state.json"));
    ASSERT_TRUE(expected.open(QIODevice::ReadOnly));
    EXPECT_EQ(timeless(parse(document.snapshot())), parse(expected.readAll())) << document.snapshot().toStdString();
}

TEST(StateDocument, UpdatesCarryExactlyWhatChanged)
{
    const std::vector<UpdateCase> cases = {
        {"nothing", [](test::WebFixture&) {}, {}},
        {"a cell", [](test::WebFixture& f) { f.raceModel().setData(f.raceModel().index(1, 3), "Bea"); },
         changedRows({{"1", row({"2", "", "11", "Bea", "Ash"})}})},
        {"a cell needing escapes",
         [](test::WebFixture& f) { f.raceModel().setData(f.raceModel().index(1, 3), "Zoë \"Z\" \\\t\x01"); },
         changedRows({{"1", row({"2", "", "11", "Zoë \"Z\" \\\t\x01", "Ash"})}})},
        {"a cell changed and changed back",
         [](test::WebFixture& f) {
             f.raceModel().setData(f.raceModel().index(1, 3), "Bea");
             f.raceModel().setData(f.raceModel().index(1, 3), "Ann");
         },
         {}},
        {"a marker picture",
         [](test::WebFixture& f) {
             f.raceModel().setData(f.raceModel().index(0, 1), "chequered flag", kMarkerNameRole);
         },
         changedRows({{"0", row({"1", "", "10", "Ann", "Ash"}, "chequered flag")}})},
        {"a new row",
         [](test::WebFixture& f) {
             f.addRow(4, {"4", " ", "13"});
         },
         changedRows({{"3", row({"4", " ", "13"})}}, 4)},
        {"rows removed", [](test::WebFixture& f) { f.raceModel().removeRows(1, 2); }, changedRows({}, 1)},
        {"the run",
         [](test::WebFixture& f) {
             WebState state = test::WebFixture::state();
             state.run.lines = 121;
             state.run.sinceLastLine = 45;
             state.run.stale = "amber";
             f.source.setState(state);
         },
         {{"run", QJsonObject{{"name", "Race 1"},
                              {"flag", "yellow"},
                              {"finished", false},
                              {"lapsToGo", "3"},
                              {"raceTime", "   12:00"},
                              {"errors", 2},
                              {"lines", 121},
                              {"sinceLastLine", 45},
                              {"stale", "amber"}}}}},
        {"a window closed",
         [](test::WebFixture& f) {
             WebState state = test::WebFixture::state();
             state.windows.clear();
             f.source.setState(state);
         },
         {{"windows", QJsonArray{}}}},
    };
    for (const UpdateCase& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        test::WebFixture fixture;
        StateDocument document(fixture.source);
        const qint64 sequence = parse(document.snapshot()).value("seq").toInteger();
        testCase.change(fixture);
        const QByteArray update = document.publish();
        if (testCase.expected.isEmpty()) {
            EXPECT_TRUE(update.isEmpty()) << update.toStdString();
            continue;
        }
        QJsonObject object = parse(update);
        EXPECT_EQ(object.take("type").toString(), "delta");
        EXPECT_EQ(object.take("seq").toInteger(), sequence + 1);
        EXPECT_GT(object.take("time").toInteger(), 0);
        EXPECT_EQ(object, testCase.expected) << update.toStdString();
        EXPECT_EQ(parse(document.snapshot()).value("seq").toInteger(), sequence + 1);
    }
}
