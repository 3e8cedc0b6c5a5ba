// The JSON document of the web view: the whole state as documented in the manual, and live updates
// that carry exactly what changed since the last one.

#include <gtest/gtest.h>

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

#include <functional>

#include "qt_files.h"
#include "state_document.h"
#include "state_feed.h"
#include "wait_for.h"
#include "web_fixture.h"

using namespace kav;
using Fixture = test::WebFixture;

namespace {

QJsonObject parse(const QByteArray& json)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    return document.object();
}

QJsonObject readJson(const char* name)
{
    return parse(readAll(QStringLiteral(KAV_TEST_DATA "/web/") + QLatin1String(name)));
}

} // namespace

TEST(StateDocument, SnapshotIsTheDocumentedExample)
{
    Fixture fixture;
    StateDocument document(fixture.source);
    QJsonObject snapshot = parse(document.snapshot());
    EXPECT_GT(snapshot.take("time").toInteger(), 0); // the clock time, which no file can hold
    EXPECT_EQ(snapshot, readJson("state.json")) << document.snapshot().toStdString();
}

// Each change against the update expected in updates.json under its name; null: no update at all.
TEST(StateDocument, UpdatesCarryExactlyWhatChanged)
{
    const auto setCell = [](Fixture& f, int row, int column, const QVariant& value, int role = Qt::DisplayRole) {
        f.raceModel().setData(f.raceModel().index(row, column), value, role);
    };
    const auto changeState = [](Fixture& f, const std::function<void(WebState&)>& change) {
        WebState state = Fixture::state();
        change(state);
        f.source.setState(state);
    };
    // clang-format off
    const std::vector<std::pair<const char*, std::function<void(Fixture&)>>> cases = {
        {"nothing", [](Fixture&) {}},
        {"a cell", [&](Fixture& f) { setCell(f, 1, 3, "Bea"); }},
        {"a cell needing escapes", [&](Fixture& f) { setCell(f, 1, 3, "Zoë \"Z\" \\\t\x01"); }},
        {"a cell changed and changed back", [&](Fixture& f) { setCell(f, 1, 3, "Bea"), setCell(f, 1, 3, "Ann"); }},
        {"a marker picture", [&](Fixture& f) { setCell(f, 0, 1, "chequered flag", kMarkerNameRole); }},
        {"a new row", [](Fixture& f) { f.addRow(4, QStringList{"4", " ", "13"}); }},
        {"rows removed", [](Fixture& f) { f.raceModel().removeRows(1, 2); }},
        {"the run", [&](Fixture& f) { changeState(f, [](WebState& state) {
             state.run.lines = 121, state.run.sinceLastLine = 45, state.run.stale = "amber"; }); }},
        {"a window closed", [&](Fixture& f) { changeState(f, [](WebState& state) { state.windows.clear(); }); }},
    };
    // clang-format on
    const QJsonObject expected = readJson("updates.json");
    for (const auto& [name, change] : cases) {
        SCOPED_TRACE(name);
        Fixture fixture;
        StateDocument document(fixture.source);
        const qint64 sequence = parse(document.snapshot()).value("seq").toInteger();
        change(fixture);
        const QByteArray update = document.publish();
        if (expected.value(QLatin1String(name)).isNull()) {
            EXPECT_TRUE(update.isEmpty()) << update.toStdString();
            continue;
        }
        QJsonObject object = parse(update);
        EXPECT_EQ(object.take("type").toString(), "delta");
        EXPECT_EQ(object.take("seq").toInteger(), sequence + 1);
        EXPECT_GT(object.take("time").toInteger(), 0);
        EXPECT_EQ(object, expected.value(QLatin1String(name)).toObject()) << update.toStdString();
        const QJsonObject snapshot = parse(document.snapshot());
        EXPECT_EQ(snapshot.value("seq").toInteger(), sequence + 1);
        for (const char* key : {"run", "info", "followed", "classes", "events", "colors", "headers", "windows", "kinds"})
            EXPECT_TRUE(snapshot.contains(QLatin1String(key))) << key << " missing after the update";
    }
}

// The program's one document, read by the pages and the broker: nothing is built while nobody reads;
// with a reader each change is published once, whatever the number of readers, and a reader that
// must be up to date at once gets every pending change.
TEST(StateFeed, PublishesOnceForEveryReaderAndOnlyWhileOneReads)
{
    Fixture fixture;
    StateFeed feed(fixture.source, std::chrono::milliseconds(0));
    std::vector<QByteArray> updates;
    QObject::connect(&feed, &StateFeed::updated, [&](const QByteArray& update) { updates.push_back(update); });
    fixture.raceModel().setData(fixture.raceModel().index(1, 3), "Bea");
    QCoreApplication::processEvents();
    EXPECT_TRUE(updates.empty() && feed.document().pending());
    feed.hold();
    feed.hold();
    ASSERT_TRUE(waitFor([&] { return !updates.empty(); }));
    const qint64 sequence = feed.published().sequence;
    EXPECT_EQ(parse(updates.back())["seq"].toInteger(), sequence);
    feed.release();
    fixture.raceModel().setData(fixture.raceModel().index(1, 3), "Cid");
    feed.publishNow(); // the broker's last word before it goes offline
    EXPECT_EQ(feed.published().sequence, sequence + 1);
    EXPECT_TRUE(feed.snapshot().contains("\"Cid\""));
    EXPECT_EQ(updates.size(), 2u);
    QCoreApplication::processEvents();
    EXPECT_EQ(updates.size(), 2u); // published once, not again by the timer
}
