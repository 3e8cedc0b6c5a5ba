# Shared helpers: one library per subsystem folder, one line per test.

set(KAV_WARNINGS -Wall -Wextra -Wpedantic -Wnon-virtual-dtor -Werror)

# kav_library(<name> <Alias> SOURCES ... [DEPS ...])
# Builds libkav_<name> with the project warnings and an alias Kavendor::<Alias>.
function(kav_library name alias)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
    add_library(kav_${name} STATIC ${ARG_SOURCES})
    add_library(Kavendor::${alias} ALIAS kav_${name})
    target_include_directories(kav_${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
    target_compile_options(kav_${name} PRIVATE ${KAV_WARNINGS})
    if(ARG_DEPS)
        target_link_libraries(kav_${name} PUBLIC ${ARG_DEPS})
    endif()
endfunction()

# kav_test(<name> <label> SOURCES ... DEPS ... [ENV ...])
# A GoogleTest program whose cases are registered with CTest under the given label.
function(kav_test name label)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPS;ENV" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_compile_options(${name} PRIVATE ${KAV_WARNINGS})
    target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gtest_main)
    gtest_discover_tests(${name}
        DISCOVERY_TIMEOUT 60
        PROPERTIES LABELS ${label} ENVIRONMENT "${ARG_ENV}")
endfunction()
