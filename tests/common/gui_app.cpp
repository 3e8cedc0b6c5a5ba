#include <QApplication>

#include "qt_app_environment.h"

[[maybe_unused]] static ::testing::Environment* const kApp =
    ::testing::AddGlobalTestEnvironment(new kav::QtAppEnvironment<QApplication>);
