#include "core/dbcs.h"

std::size_t dbcsCharacterLength(std::string_view text, std::size_t at) {
    const bool lead = static_cast<unsigned char>(text[at]) >= 0x80;
    return lead && at + 1 < text.size() ? 2 : 1;
}

std::size_t dbcsFind(std::string_view text, std::string_view needle) {
    for (std::size_t at = 0; at < text.size(); at += dbcsCharacterLength(text, at)) {
        if (text.substr(at, needle.size()) == needle) return at;
    }
    return needle.empty() ? 0 : kNotFound;
}

std::size_t dbcsFindLast(std::string_view text, char c) {
    std::size_t found = kNotFound;
    for (std::size_t at = 0; at < text.size(); at += dbcsCharacterLength(text, at)) {
        if (text[at] == c) found = at;
    }
    return found;
}

bool dbcsEndsWith(std::string_view text, char c) {
    return !text.empty() && dbcsFindLast(text, c) == text.size() - 1;
}
