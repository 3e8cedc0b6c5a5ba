#include "feed_command_line.h"

#include <charconv>

namespace kav {
namespace {

// Walks the arguments; each option's value is the next argument.
class FeedArgumentReader {
public:
    FeedArgumentReader(const std::vector<std::string_view>& args, std::string& error) : m_args(args), m_error(error) {}

    bool done() const { return m_next >= m_args.size() || !m_error.empty(); }
    std::string_view take() { return m_args[m_next++]; }
    bool failed() const { return !m_error.empty(); }
    void fail(std::string message)
    {
        if (m_error.empty())
            m_error = std::move(message);
    }

    std::string textValue(std::string_view option)
    {
        if (m_next >= m_args.size()) {
            fail(std::string(option) + " needs a value");
            return {};
        }
        return std::string(take());
    }

    template <typename Number>
    Number value(std::string_view option, Number low, Number high)
    {
        const std::string text = textValue(option);
        Number value{};
        const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (ec != std::errc{} || end != text.data() + text.size() || value < low || value > high)
            fail(std::string(option) + ": not a valid value: " + text);
        return value;
    }

private:
    const std::vector<std::string_view>& m_args;
    std::string& m_error;
    std::size_t m_next = 0;
};

// The options of a feed target; false when the option is not one of them.
bool takeTargetOption(std::string_view option, FeedArgumentReader& reader, FeedTarget& target)
{
    if (option == "--port")
        target.port = reader.value<int>(option, 0, 65535);
    else if (option == "--bind")
        target.bind = reader.textValue(option);
    else
        return false;
    return true;
}

bool takeSimulateOption(std::string_view option, FeedArgumentReader& reader, SimulateCommand& command)
{
    auto& session = command.session;
    if (option == "--serial")
        command.target.serial = reader.textValue(option);
    else if (option == "--out")
        command.target.out = reader.textValue(option);
    else if (option == "--cars")
        session.cars = reader.value<int>(option, 1, 999);
    else if (option == "--laps")
        session.laps = reader.value<int>(option, 1, 1000);
    else if (option == "--practice")
        session.practice = true;
    else if (option == "--formation")
        session.formation = true;
    else if (option == "--corrections")
        session.corrections = true;
    else if (option == "--penalties")
        session.penalties = true;
    else if (option == "--reconnect")
        session.reconnect = true;
    else if (option == "--pit-loops")
        session.pitLoops = true;
    else if (option == "--repeat")
        command.repeat = true;
    else if (option == "--speed")
        command.speed = reader.value<double>(option, 0.01, 100000.0);
    else if (option == "--seed")
        session.seed = reader.value<std::uint64_t>(option, 0, UINT64_MAX);
    else
        return takeTargetOption(option, reader, command.target);
    return true;
}

} // namespace

std::optional<SimulateCommand> parseSimulate(const std::vector<std::string_view>& args, std::string& error)
{
    SimulateCommand command;
    FeedArgumentReader reader(args, error);
    while (!reader.done()) {
        const auto option = reader.take();
        if (!takeSimulateOption(option, reader, command))
            reader.fail("unknown option: " + std::string(option));
    }
    if (!command.target.serial.empty() && !command.target.out.empty())
        reader.fail("--serial and --out exclude each other");
    if (command.repeat && !command.target.out.empty())
        reader.fail("--repeat and --out exclude each other"); // the file would never end
    if (reader.failed())
        return std::nullopt;
    return command;
}

std::optional<ServeCommand> parseServe(const std::vector<std::string_view>& args, std::string& error)
{
    ServeCommand command;
    FeedArgumentReader reader(args, error);
    while (!reader.done()) {
        const auto option = reader.take();
        if (option == "--rate")
            command.rate = reader.value<double>(option, 0.01, 1000000.0);
        else if (!option.starts_with("--") && command.file.empty())
            command.file = option;
        else if (!takeTargetOption(option, reader, command.target))
            reader.fail("unknown option: " + std::string(option));
    }
    if (command.file.empty())
        reader.fail("serve needs a feed file");
    if (reader.failed())
        return std::nullopt;
    return command;
}

} // namespace kav
