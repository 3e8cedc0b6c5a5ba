#pragma once

#include <string>

// Feed lines as the timing system writes them.
namespace kav::feed {

inline std::string Q(const std::string& text)
{
    return "\"" + text + "\"";
}

inline std::string A(const std::string& regNo, const std::string& number, const std::string& first,
                     const std::string& last, const std::string& nat = "NED", int classNo = 1)
{
    return "$A," + Q(regNo) + "," + Q(number) + ",1234," + Q(first) + "," + Q(last) + "," + Q(nat) + "," +
           std::to_string(classNo);
}

inline std::string G(int position, const std::string& regNo, int laps, const std::string& time)
{
    return "$G," + std::to_string(position) + "," + Q(regNo) + "," + std::to_string(laps) + "," + Q(time);
}

inline std::string J(const std::string& regNo, const std::string& lapTime)
{
    return "$J," + Q(regNo) + "," + Q(lapTime) + "," + Q("12:00:00.000");
}

inline std::string F(int lapsToGo, const std::string& raceTime, const std::string& flag)
{
    return "$F," + std::to_string(lapsToGo) + "," + Q("00:00:00") + "," + Q("12:00:00") + "," + Q(raceTime) + "," +
           Q(flag);
}

} // namespace kav::feed
