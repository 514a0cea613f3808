// Windows path rules for the simulated file system, on UTF-16 text so that no byte of a
// double-byte character is ever taken for a separator.
#pragma once

#include <optional>
#include <string>
#include <vector>

struct WindowsPath {
    char16_t drive = u'C';                // upper case
    std::vector<std::u16string> parts;  // below the drive's root, no empty, "." or ".." parts
};

// Resolves `path` as Windows does: "X:\..." from that drive's root, "\..." from the current
// drive's root, anything else from the current directory. Both slashes separate, repeated
// separators count as one, "." and ".." are applied. None for an empty or malformed path.
std::optional<WindowsPath> resolveWindowsPath(const std::u16string& path, const WindowsPath& current);

// "C:\a\b", or "C:\" for the root.
std::u16string toText(const WindowsPath& path);

// Names compare case-insensitively (ASCII and Latin-1 letters fold; CJK has no case).
std::u16string foldCase(std::u16string text);

// Win32's directory-search match of a name against a pattern with "*" and "?".
bool wildcardMatch(const std::u16string& pattern, const std::u16string& name);
bool hasWildcards(const std::u16string& text);
