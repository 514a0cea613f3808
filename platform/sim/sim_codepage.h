// Code page conversions for the simulated Windows, through iconv. Like Win32 without strict
// flags, an invalid sequence becomes a replacement character instead of failing the call.
#pragma once

#include <cstdint>
#include <string>

// False when the code page is not one the simulation knows.
bool toUtf16(std::uint32_t codePage, const std::string& text, std::u16string& wide);
bool fromUtf16(std::uint32_t codePage, const std::u16string& wide, std::string& text);
