#pragma once

#include <cstddef>
#include <cstdint>

namespace kav {

// Writes one input to a file and reads it through the text database and through every store routine,
// then writes records back into it, and aborts when an invariant breaks. Shared by the libFuzzer
// target and the test suite's smoke run.
void fuzzStoreOnce(const std::uint8_t* data, std::size_t size);

} // namespace kav
