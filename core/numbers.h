// Number conversions with the program's fixed rules.
#pragma once

#include <cstdint>

// Converts to an integer by truncation toward zero.
inline std::int32_t truncateToInt(double value) { return static_cast<std::int32_t>(value); }
