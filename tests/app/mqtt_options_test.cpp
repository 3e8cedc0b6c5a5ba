// --mqtt and --mqtt-topic: a broker to publish to, checked before anything is made.

#include <gtest/gtest.h>

#include "command_line.h"

namespace kav {
namespace {

TEST(MqttOptions, TakeABrokerAndAPrefixOrSayWhatIsWrong)
{
    const struct {
        QStringList arguments;
        const char* error; // a part of the message; empty: accepted
    } cases[] = {
        {{"--mqtt", "broker.local:1884", "--mqtt-topic", "brenmoor/results"}, ""},
        {{"--mqtt", "broker.local:70000"}, "--mqtt needs HOST or HOST:PORT with a port from 1 to 65535"},
        {{"--mqtt-topic", "brenmoor/results"}, "--mqtt-topic is only used with --mqtt"},
        {{"--mqtt", "broker.local", "--mqtt-topic", "brenmoor/#"}, "--mqtt-topic: The topic \"brenmoor/#\""},
        {{"--mqtt", "broker.local", "--mqtt-topic", "kavendor/+"}, "must not hold '+'"},
    };
    for (const auto& row : cases) {
        const CommandLineResult result = parseCommandLine(row.arguments);
        SCOPED_TRACE(row.arguments.join(' ').toStdString());
        if (*row.error == 0) {
            ASSERT_TRUE(result.Options.has_value()) << result.Error.toStdString();
            EXPECT_EQ(result.Options->Mqtt, row.arguments[1]);
            EXPECT_EQ(result.Options->MqttTopic, row.arguments[3]);
        } else {
            EXPECT_FALSE(result.Options.has_value());
            EXPECT_TRUE(result.Error.contains(QLatin1String(row.error))) << result.Error.toStdString();
        }
    }
    EXPECT_TRUE(usageText().contains("--mqtt HOST[:PORT]"));
}

} // namespace
} // namespace kav
