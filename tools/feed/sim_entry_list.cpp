#include "sim_entry_list.h"

#include <algorithm>
#include <array>
#include <numeric>

namespace kav {
namespace {

// Invented names; some need more than ASCII, as accented names do on real feeds.
constexpr std::array<const char*, 16> kFirstNames = {"Aurel",    "Zoë",   "Łukasz", "Jörn",  "Maren",  "Tobiah",
                                                     "Ségolène", "Ivo",   "Ånund",  "Keira", "Darvin", "Marisol",
                                                     "Ciarán",   "Nelka", "Oskar",  "Radim"};
constexpr std::array<const char*, 16> kLastNames = {
    "Varnholt", "Ødegaard", "Brennick", "Castellà", "Mirow",    "Tallquist", "Žalud", "Penhallow",
    "Quenby",   "Ferreux",  "Halvik",   "Duchêne",  "Oosterik", "Rasmund",   "Lintz", "Sørvik"};
constexpr std::array<const char*, 8> kNations = {"NED", "GER", "POL", "NOR", "FRA", "IRL", "CZE", "ESP"};
constexpr std::array<const char*, 6> kTeams = {"Kestrel Racing", "Team Ardent",   "Nordlys Motorsport",
                                               "Vantage 41",     "Red Heron Cup", "Blue Quarry"};

// Class 1 laps in about 88 s, class 2 about 5.5 s slower, so the leader laps the slow cars.
constexpr TimeValue kClassPace[] = {880000, 935000};

std::vector<int> carNumbers(int cars, SimRandom& random)
{
    std::vector<int> numbers(static_cast<std::size_t>(std::max(99, cars * 2)));
    std::iota(numbers.begin(), numbers.end(), 1);
    for (std::size_t i = numbers.size() - 1; i > 0; --i)
        std::swap(numbers[i], numbers[static_cast<std::size_t>(random.between(0, static_cast<std::int64_t>(i)))]);
    numbers.resize(static_cast<std::size_t>(cars));
    return numbers;
}

SimCar makeCar(int index, int number, SimRandom& random)
{
    SimCar car;
    car.regNo = std::to_string(1000 + index);
    car.number = std::to_string(number);
    car.classNo = index % 3 == 2 ? 2 : 1;
    car.firstName = kFirstNames[static_cast<std::size_t>(random.between(0, kFirstNames.size() - 1))];
    car.lastName = kLastNames[static_cast<std::size_t>(random.between(0, kLastNames.size() - 1))];
    car.nationality = kNations[static_cast<std::size_t>(random.between(0, kNations.size() - 1))];
    car.team = kTeams[static_cast<std::size_t>(random.between(0, kTeams.size() - 1))];
    car.pace = kClassPace[car.classNo - 1] + static_cast<TimeValue>(random.between(0, 30000));
    car.consistency = static_cast<TimeValue>(random.between(3000, 9000));
    return car;
}

} // namespace

std::vector<SimCar> makeEntryList(int cars, SimRandom& random)
{
    const auto numbers = carNumbers(cars, random);
    std::vector<SimCar> field;
    field.reserve(numbers.size());
    for (int i = 0; i < cars; ++i)
        field.push_back(makeCar(i, numbers[static_cast<std::size_t>(i)], random));
    return field;
}

} // namespace kav
