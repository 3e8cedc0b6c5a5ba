#pragma once

#include <gtest/gtest.h>

#include <memory>

namespace kav {

// The Qt application object every test of the program needs, made before the first test and
// destroyed after the last.
template <typename App>
class QtAppEnvironment : public ::testing::Environment {
public:
    void SetUp() override { m_app = std::make_unique<App>(m_argc, m_argv); }
    void TearDown() override { m_app.reset(); }

private:
    int m_argc = 1;
    char m_name[16] = "kavendor_tests";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<App> m_app;
};

} // namespace kav
