#include "platform/sim/sim_codepage.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {
const char* iconvName(std::uint32_t codePage) {
    switch (codePage) {
        case 936: return "CP936";
        case 65001: return "UTF-8";
        case 1252: return "CP1252";
        case 437: return "CP437";
        default: return nullptr;
    }
}

// Converts `in` with iconv; an input sequence it cannot read or write is skipped by
// `skipBytes` and `replacement` is written in its place.
bool convert(const char* from, const char* to, const std::string& in, std::size_t skipBytes,
             const std::string& replacement, std::string& out) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    out.clear();
    char* source = const_cast<char*>(in.data());
    std::size_t sourceLeft = in.size();
    char buffer[1024];
    while (sourceLeft > 0) {
        char* target = buffer;
        std::size_t targetLeft = sizeof buffer;
        const std::size_t result = iconv(cd, &source, &sourceLeft, &target, &targetLeft);
        out.append(buffer, static_cast<std::size_t>(target - buffer));
        if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
            const std::size_t skip = std::min(skipBytes, sourceLeft);
            source += skip;
            sourceLeft -= skip;
            out += replacement;
        }
    }
    iconv_close(cd);
    return true;
}
}  // namespace

bool toUtf16(std::uint32_t codePage, const std::string& text, std::u16string& wide) {
    const char* name = iconvName(codePage);
    std::string bytes;
    if (!name || !convert(name, "UTF-16LE", text, 1, std::string("\xFD\xFF", 2), bytes)) {
        return false;
    }
    wide.assign(bytes.size() / 2, u'\0');
    std::memcpy(wide.data(), bytes.data(), wide.size() * 2);
    return true;
}

bool fromUtf16(std::uint32_t codePage, const std::u16string& wide, std::string& text) {
    const char* name = iconvName(codePage);
    const std::string bytes(reinterpret_cast<const char*>(wide.data()), wide.size() * 2);
    return name && convert("UTF-16LE", name, bytes, 2, "?", text);
}
