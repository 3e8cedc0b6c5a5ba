#include <gtest/gtest.h>

#include <QCoreApplication>
#include <memory>

namespace {

// The event loop that the sockets and timers of these tests run in.
class TCoreAppEnvironment : public ::testing::Environment {
public:
    void SetUp() override { m_app = std::make_unique<QCoreApplication>(m_argc, m_argv); }
    void TearDown() override { m_app.reset(); }

private:
    int m_argc = 1;
    char m_name[16] = "feed_send_tests";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QCoreApplication> m_app;
};

[[maybe_unused]] ::testing::Environment* const kApp = ::testing::AddGlobalTestEnvironment(new TCoreAppEnvironment);

} // namespace
