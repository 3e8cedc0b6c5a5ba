#include "feed_command_line.h"

#include <charconv>

namespace kav {
namespace {

// Walks the arguments; each option's value is the next argument.
class TArgReader {
public:
    TArgReader(const std::vector<std::string_view>& args, std::string& error) : m_args(args), m_error(error) {}

    bool Done() const { return m_next >= m_args.size() || !m_error.empty(); }
    std::string_view Take() { return m_args[m_next++]; }
    bool Failed() const { return !m_error.empty(); }
    void Fail(std::string message)
    {
        if (m_error.empty())
            m_error = std::move(message);
    }

    std::string Text(std::string_view option)
    {
        if (m_next >= m_args.size()) {
            Fail(std::string(option) + " needs a value");
            return {};
        }
        return std::string(Take());
    }

    template <typename Number>
    Number Value(std::string_view option, Number low, Number high)
    {
        const std::string text = Text(option);
        Number value{};
        const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (ec != std::errc{} || end != text.data() + text.size() || value < low || value > high)
            Fail(std::string(option) + ": not a valid value: " + text);
        return value;
    }

private:
    const std::vector<std::string_view>& m_args;
    std::string& m_error;
    std::size_t m_next = 0;
};

// The options of a feed target; false when the option is not one of them.
bool TakeTargetOption(std::string_view option, TArgReader& reader, TFeedTarget& target)
{
    if (option == "--port")
        target.port = reader.Value<int>(option, 0, 65535);
    else if (option == "--bind")
        target.bind = reader.Text(option);
    else
        return false;
    return true;
}

bool TakeSimulateOption(std::string_view option, TArgReader& reader, TSimulateCommand& command)
{
    auto& session = command.session;
    if (option == "--serial")
        command.target.serial = reader.Text(option);
    else if (option == "--out")
        command.target.out = reader.Text(option);
    else if (option == "--cars")
        session.cars = reader.Value<int>(option, 1, 999);
    else if (option == "--laps")
        session.laps = reader.Value<int>(option, 1, 1000);
    else if (option == "--practice")
        session.practice = true;
    else if (option == "--repeat")
        command.repeat = true;
    else if (option == "--speed")
        command.speed = reader.Value<double>(option, 0.01, 100000.0);
    else if (option == "--seed")
        session.seed = reader.Value<std::uint64_t>(option, 0, UINT64_MAX);
    else
        return TakeTargetOption(option, reader, command.target);
    return true;
}

} // namespace

std::optional<TSimulateCommand> ParseSimulate(const std::vector<std::string_view>& args, std::string& error)
{
    TSimulateCommand command;
    TArgReader reader(args, error);
    while (!reader.Done()) {
        const auto option = reader.Take();
        if (!TakeSimulateOption(option, reader, command))
            reader.Fail("unknown option: " + std::string(option));
    }
    if (!command.target.serial.empty() && !command.target.out.empty())
        reader.Fail("--serial and --out exclude each other");
    if (command.repeat && !command.target.out.empty())
        reader.Fail("--repeat and --out exclude each other"); // the file would never end
    if (reader.Failed())
        return std::nullopt;
    return command;
}

std::optional<TServeCommand> ParseServe(const std::vector<std::string_view>& args, std::string& error)
{
    TServeCommand command;
    TArgReader reader(args, error);
    while (!reader.Done()) {
        const auto option = reader.Take();
        if (option == "--rate")
            command.rate = reader.Value<double>(option, 0.01, 1000000.0);
        else if (!option.starts_with("--") && command.file.empty())
            command.file = option;
        else if (!TakeTargetOption(option, reader, command.target))
            reader.Fail("unknown option: " + std::string(option));
    }
    if (command.file.empty())
        reader.Fail("serve needs a feed file");
    if (reader.Failed())
        return std::nullopt;
    return command;
}

} // namespace kav
