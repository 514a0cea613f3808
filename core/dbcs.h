// Searches over program texts read as double-byte text of the ANSI code page: a byte of 0x80 or
// more begins a two-byte character, so a match counts only where it begins on a character
// boundary. A lead byte at the very end stands alone.
#pragma once

#include <cstddef>
#include <string_view>

constexpr std::size_t kNotFound = static_cast<std::size_t>(-1);

// The length in bytes (1 or 2) of the character that starts at `at`.
std::size_t dbcsCharacterLength(std::string_view text, std::size_t at);

// Index of the first occurrence of `needle` that starts on a character boundary, or kNotFound.
std::size_t dbcsFind(std::string_view text, std::string_view needle);

// Index of the last single-byte character `c`, or kNotFound.
std::size_t dbcsFindLast(std::string_view text, char c);

// Whether the last character of `text` is the single-byte character `c`.
bool dbcsEndsWith(std::string_view text, char c);
