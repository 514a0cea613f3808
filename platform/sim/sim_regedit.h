// The simulated Windows' registry editor: imports .reg text ("Windows Registry Editor Version
// 5.00") as "regedit /s FILE" does. It understands key lines, named and default values as quoted
// text, dword:, hex:, hex(2): and hex(7):, with the format's \\ and \" escapes in quoted strings.
// Text data is stored as a program reading it through the ANSI functions sees it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/os.h"

struct ImportedValue {
    Hkey root = 0;
    std::string keyPath, name;  // ANSI; an empty name is the key's default value
    Dword type = 0;
    std::vector<std::uint8_t> data;
};

// Calls `store` for every value of the text, in order. False when the text is not .reg text.
bool parseRegText(const std::string& text, Dword ansiCodePage,
                  const std::function<void(const ImportedValue&)>& store);

// The file named by a "regedit /s FILE" command line (quoted or not), or empty.
std::string regeditFile(const std::string& commandLine);
