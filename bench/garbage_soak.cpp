// A soak run, no timings: 100 rounds of 10 MB of random bytes in random pieces and ten lines of 1 MB,
// through the device into the controller with a result window open. After
// each round it prints the resident memory, the framing's held bytes and the error count; at the end
// a clean race must still show. Exit status 1 when memory keeps growing, the framing holds more than
// a line or the race after the garbage does not show.

#include "controller.h"
#include "general_info_panel.h"
#include "line_framer.h"
#include "soak_helpers.h"
#include "stand_by_message.h"

#include <QApplication>
#include <QFile>

#include <cstdio>
#include <random>
#include <unistd.h>

using namespace kav;

namespace {

constexpr int kRounds = 100;
constexpr qsizetype kMegabyte = 1024 * 1024;
constexpr qsizetype kRandomBytes = 10 * kMegabyte;
constexpr int kLongLines = 10;
// Growth allowed after the first round, which brings every buffer to its working size.
constexpr qint64 kAllowedGrowth = 32 * kMegabyte;

class Soak {
public:
    Soak() : m_ctl(m_device, m_settings, m_message, m_clock)
    {
        m_panel.watch(m_ctl.Info);
        m_settings.change([](MainSettings& settings) { settings.TrackLength = 4000; });
    }

    Controller& controller() { return m_ctl; }

    // The bytes as a channel hands them to the device, which frames them for the controller.
    void receive(QByteArrayView bytes)
    {
        m_device.receiveBytes(bytes);
        m_mostPending = std::max(m_mostPending, m_device.partialLine().size());
    }

    qsizetype mostPending() const { return m_mostPending; }

private:
    ProgramSettings m_settings;
    GeneralInfoPanel m_panel;
    StandByMessage m_message;
    ManualClock m_clock;
    Device m_device;
    Controller m_ctl;
    qsizetype m_mostPending = 0;
};

void runRound(Soak& soak, std::mt19937& rng, const QByteArray& random, const QByteArray& longLine)
{
    std::uniform_int_distribution<qsizetype> piece(1, 256 * 1024);
    for (qsizetype pos = 0, n = 0; pos < random.size(); pos += n) {
        n = std::min(piece(rng), random.size() - pos);
        soak.receive(QByteArrayView(random).sliced(pos, n));
    }
    soak.receive("\n");
    for (int i = 0; i < kLongLines; ++i)
        soak.receive(longLine);
}

bool raceStillShows(Soak& soak)
{
    soak.receive("$I,\"12:00:00\",\"6 Dec\"\n$A,\"1\",\"21\",1234,\"Ann\",\"Bell\",\"NED\",1\n"
                 "$G,1,\"1\",2,\"00:03:00.000\"\n");
    const RaceState& state = soak.controller().State;
    return state.CompList.count() == 1 && state.CurrentRaceList.count() == 1;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Soak soak;
    std::mt19937 rng(1);
    const QByteArray random = randomBytes(rng, kRandomBytes);
    const QByteArray longLine = randomBytes(rng, kMegabyte).replace('\n', 'x') + '\n';

    qint64 firstRound = 0;
    qint64 most = 0;
    for (int round = 1; round <= kRounds; ++round) {
        runRound(soak, rng, random, longLine);
        const qint64 resident = residentBytes();
        firstRound = round == 1 ? resident : firstRound;
        most = std::max(most, resident);
        std::printf("round %3d  resident %6lld KB  held %6lld bytes  errors %d\n", round,
                    static_cast<long long>(resident / 1024), static_cast<long long>(soak.mostPending()),
                    soak.controller().State.ErrorCount);
        std::fflush(stdout);
    }
    const bool bounded = most - firstRound < kAllowedGrowth && soak.mostPending() <= LineFramer::kMaxLine;
    const bool shows = raceStillShows(soak);
    std::printf("memory %s, race after the garbage %s\n", bounded ? "bounded" : "GREW", shows ? "shows" : "MISSING");
    return bounded && shows ? 0 : 1;
}
