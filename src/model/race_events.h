#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>

#include "pit_stops.h"
#include "timing_records.h"

namespace kav {

// What a race event tells of; each kind has a short tag so that a ticker reads without colour.
enum class EventKind : std::uint8_t {
    Flag,
    Fastest,
    ClassFastest,
    Lead,
    ClassLead,
    PersonalBest,
    Finish,
    Stopped,
    PitIn,
    PitOut
};

// FLAG, FASTEST, CLASS FASTEST, LEAD, CLASS LEAD, PB, FINISH, STOPPED, PIT IN or PIT OUT.
std::string_view eventTag(EventKind kind);

// One thing that just happened in the run.
struct RaceEvent {
    std::uint64_t seq = 0;
    TimeValue raceTime = -1; // the race time of the last heartbeat; -1 before any
    EventKind kind = EventKind::Flag;
    std::string regNo;    // the car's registration number; empty for a flag
    std::string car;      // the car's number
    std::string carClass; // the car's class, empty for a car without one and for a flag
    std::int32_t lap = 0; // the lap the event names; 0 for none
    std::string text;
    bool operator==(const RaceEvent&) const = default;
    // The race time as hh:mm:ss; empty when no heartbeat came yet.
    std::string raceTimeText() const;
};

// A car as the events name it: its number and class from the competitor list.
struct EventCar {
    std::string number;
    std::int32_t classNo = 0; // 0: no class
    std::string className;
    bool known = false; // false: the competitor list does not know the car, what was known of it stays
};

// Where the events learn who a car is. A car is described again only when the generation moved,
// which keeps a standing sent again from costing a look-up and its texts.
class EventCarNames {
public:
    virtual ~EventCarNames() = default;
    // Grows with every change of what describe tells; never 0.
    virtual std::uint64_t generation() const = 0;
    virtual EventCar describe(std::string_view regNo) const = 0;
};

// The last kMaxEvents events of the run, newest last, worked out once from the feed: flag changes,
// new fastest laps overall and per class, lead changes overall and per class, personal bests in a run
// without standings (practice), each car's chequered flag, a car that stopped making progress, and a
// car entering and leaving the pit lane (from line crossings). A record sent again with the same values
// tells nothing. One change gives one event, the widest: a fastest lap overall is not also the
// class's fastest nor a personal best, a new overall leader does not also take its class's lead.
// A car takes a lead once its standing puts it ahead, the start's grid order is no lead change.
// Sequence numbers grow for as long as the object lives, also across runs.
class RaceEvents {
public:
    static constexpr std::size_t kMaxEvents = 500;
    static constexpr std::size_t kMaxCars = 1000;

    // A $F: the race time the events take from now on, and the flag.
    void takeHeartbeat(TimeValue raceTime, std::string_view flagText, std::int32_t lapsToGo);
    // A $G of a car.
    void takeStanding(const RacePositionRecord& standing, const EventCarNames& names);
    // A $H: the car's best lap, as the timing system counts it.
    void takeBestLap(const PracticePositionRecord& best, const EventCarNames& names);
    // The car completed no lap during two laps of the leader (its marker turned black): told once until
    // the car completes a lap again; not for a car that has finished.
    void takeStop(std::string_view regNo, const EventCarNames& names);
    // A line crossing changed the car's pit state: into the pit lane, or out of it (with the time of
    // the stop when its pit-out was seen).
    void takePitLane(std::string_view regNo, const EventCarNames& names, const PitState& before, const PitState& now);
    // A new run: no events and nothing known of the cars, the flag or the race time.
    void clear();

    const std::deque<RaceEvent>& events() const { return m_events; }
    std::uint64_t lastSeq() const { return m_seq; }

private:
    enum class Flag : std::uint8_t { None, Green, Yellow, Red, Finish };
    struct Car {
        std::string regNo;
        EventCar info;
        std::uint64_t infoGeneration = 0; // of the names that described it; 0: not yet
        RacePositionRecord standing;
        std::uint64_t placedAt = 0; // when the standing came; 0 for none
        TimeValue best = -1;
        bool finished = false;
        bool stopped = false;          // told as stopped, and no lap since
        std::int32_t lapsAtFinish = 0; // its laps when the finish flag came
    };
    // The overall leader under kOverall, each class's under its number.
    using Leaders = std::map<std::int32_t, Car*>;
    static constexpr std::int32_t kOverall = -1;

    Car* carFor(std::string_view regNo, const EventCarNames& names);
    void add(EventKind kind, const Car* car, std::int32_t lap, std::string text);
    void changeFlag(Flag flag, std::int32_t lapsToGo);
    Leaders leaders();
    void announceLeaders(const Leaders& before);
    TimeValue fastest(std::int32_t classNo) const;
    void finish(Car& car);

    std::deque<RaceEvent> m_events;
    struct TextHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
    };
    std::unordered_map<std::string, Car, TextHash, std::equal_to<>> m_cars;
    // The fastest best lap overall and of each class, kept up as bests come; worked out again from
    // every car only after a best was taken back or a car changed class.
    mutable std::map<std::int32_t, TimeValue> m_fastest;
    mutable bool m_fastestKept = true;
    Leaders m_leaders; // as the last standing left them
    std::uint64_t m_seq = 0;
    std::uint64_t m_placings = 0;
    TimeValue m_raceTime = -1;
    Flag m_flag = Flag::None;
    bool m_anyStanding = false;
};

} // namespace kav
