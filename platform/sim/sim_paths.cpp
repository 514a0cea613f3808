#include "platform/sim/sim_paths.h"

namespace {
bool isSeparator(char16_t c) { return c == u'\\' || c == u'/'; }

char16_t foldChar(char16_t c) {
    if (c >= u'a' && c <= u'z') return c - u'a' + u'A';
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 0x20;
    return c;
}

bool matchFrom(const std::u16string& pattern, std::size_t p, const std::u16string& name,
               std::size_t n) {
    while (p < pattern.size()) {
        if (pattern[p] == u'*') {
            for (std::size_t rest = n; rest <= name.size(); ++rest) {
                if (matchFrom(pattern, p + 1, name, rest)) return true;
            }
            return false;
        }
        if (n == name.size()) return false;
        if (pattern[p] != u'?' && foldChar(pattern[p]) != foldChar(name[n])) return false;
        ++p;
        ++n;
    }
    return n == name.size();
}
}  // namespace

std::optional<WindowsPath> resolveWindowsPath(const std::u16string& path, const WindowsPath& current) {
    if (path.empty()) return std::nullopt;
    WindowsPath resolved = current;
    std::size_t at = 0;
    if (path.size() >= 2 && path[1] == u':') {
        const char16_t drive = foldChar(path[0]);
        if (drive < u'A' || drive > u'Z') return std::nullopt;
        if (drive != current.drive) resolved.parts.clear();
        resolved.drive = drive;
        at = 2;
        if (at < path.size() && isSeparator(path[at])) resolved.parts.clear();
    } else if (isSeparator(path[0])) {
        resolved.parts.clear();
    }
    while (at < path.size()) {
        while (at < path.size() && isSeparator(path[at])) ++at;
        std::size_t end = at;
        while (end < path.size() && !isSeparator(path[end])) ++end;
        const std::u16string part = path.substr(at, end - at);
        if (part == u"..") {
            if (!resolved.parts.empty()) resolved.parts.pop_back();
        } else if (!part.empty() && part != u".") {
            if (part.find_first_of(u"<>:\"|") != std::u16string::npos) return std::nullopt;
            resolved.parts.push_back(part);
        }
        at = end;
    }
    return resolved;
}

std::u16string toText(const WindowsPath& path) {
    std::u16string text{path.drive, u':'};
    if (path.parts.empty()) return text + u'\\';
    for (const std::u16string& part : path.parts) text += u'\\' + part;
    return text;
}

std::u16string foldCase(std::u16string text) {
    for (char16_t& c : text) c = foldChar(c);
    return text;
}

bool wildcardMatch(const std::u16string& pattern, const std::u16string& name) {
    // "*.*" matches names without a dot too, as it always has on Windows.
    if (pattern == u"*.*") return true;
    return matchFrom(pattern, 0, name, 0);
}

bool hasWildcards(const std::u16string& text) {
    return text.find_first_of(u"*?") != std::u16string::npos;
}
