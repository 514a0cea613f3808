#include "platform/sim/sim_regedit.h"

#include <cstdlib>

#include "core/dbcs.h"
#include "platform/sim/sim_codepage.h"

namespace {
Hkey rootNamed(const std::string& name) {
    if (name == "HKEY_CLASSES_ROOT") return win::kHkeyClassesRoot;
    if (name == "HKEY_CURRENT_USER") return win::kHkeyCurrentUser;
    if (name == "HKEY_LOCAL_MACHINE") return win::kHkeyLocalMachine;
    if (name == "HKEY_USERS") return win::kHkeyUsers;
    if (name == "HKEY_CURRENT_CONFIG") return win::kHkeyCurrentConfig;
    return 0;
}

// A quoted string starting at `at` (on its opening quote); moves `at` past the closing quote.
bool unquote(const std::string& line, std::size_t& at, std::string& text) {
    if (at >= line.size() || line[at] != '"') return false;
    text.clear();
    for (++at; at < line.size(); ++at) {
        if (dbcsCharacterLength(line, at) == 2) {  // a double-byte character stays whole
            text.append(line, at++, 2);
        } else if (line[at] == '\\' && at + 1 < line.size()) {
            text += line[++at];
        } else if (line[at] == '"') {
            ++at;
            return true;
        } else {
            text += line[at];
        }
    }
    return false;
}

std::vector<std::uint8_t> hexBytes(const std::string& list) {
    std::vector<std::uint8_t> bytes;
    std::size_t at = 0;
    while (at < list.size()) {
        bytes.push_back(std::uint8_t(std::strtoul(list.substr(at, 2).c_str(), nullptr, 16)));
        at += 2;
        if (at < list.size() && list[at] == ',') ++at;
    }
    return bytes;
}

// UTF-16LE data as the ANSI functions hand it out.
std::vector<std::uint8_t> wideToAnsi(const std::vector<std::uint8_t>& wide, Dword codePage) {
    std::u16string characters;
    for (std::size_t i = 0; i + 1 < wide.size(); i += 2) {
        characters += char16_t(wide[i] | (wide[i + 1] << 8));
    }
    std::string text;
    fromUtf16(codePage, characters, text);
    return std::vector<std::uint8_t>(text.begin(), text.end());
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        result.push_back(line);
        start = end + 1;
    }
    return result;
}
}  // namespace

bool parseRegText(const std::string& text, Dword ansiCodePage,
                  const std::function<void(const ImportedValue&)>& store) {
    const std::vector<std::string> all = lines(text);
    if (all.empty() || all[0] != "Windows Registry Editor Version 5.00") return false;
    ImportedValue value;
    for (std::size_t i = 1; i < all.size(); ++i) {
        const std::string& line = all[i];
        if (line.empty()) continue;
        if (line.front() == '[' && line.back() == ']') {
            const std::string key = line.substr(1, line.size() - 2);
            const std::size_t separator = key.find('\\');
            value.root = rootNamed(key.substr(0, separator));
            value.keyPath = separator == std::string::npos ? "" : key.substr(separator + 1);
            continue;
        }
        std::size_t at = 0;
        if (line[0] == '@') {
            value.name.clear();
            at = 1;
        } else if (!unquote(line, at, value.name)) {
            continue;
        }
        if (at >= line.size() || line[at] != '=' || value.root == 0) continue;
        const std::string data = line.substr(at + 1);
        std::string quoted;
        std::size_t from = 0;
        if (unquote(data, from, quoted)) {
            value.type = win::kRegSz;
            value.data.assign(quoted.begin(), quoted.end());
            value.data.push_back(0);
        } else if (data.rfind("dword:", 0) == 0) {
            const std::uint32_t number = std::uint32_t(std::strtoul(data.c_str() + 6, nullptr, 16));
            value.type = win::kRegDword;
            value.data = {std::uint8_t(number), std::uint8_t(number >> 8),
                          std::uint8_t(number >> 16), std::uint8_t(number >> 24)};
        } else if (data.rfind("hex:", 0) == 0) {
            value.type = win::kRegBinary;
            value.data = hexBytes(data.substr(4));
        } else if (data.rfind("hex(2):", 0) == 0 || data.rfind("hex(7):", 0) == 0) {
            value.type = data[4] == '2' ? win::kRegExpandSz : win::kRegMultiSz;
            value.data = wideToAnsi(hexBytes(data.substr(7)), ansiCodePage);
        } else {
            continue;
        }
        store(value);
    }
    return true;
}

std::string regeditFile(const std::string& commandLine) {
    const std::string prefix = "regedit /s ";
    if (commandLine.rfind(prefix, 0) != 0) return std::string();
    std::string file = commandLine.substr(prefix.size());
    if (file.size() >= 2 && file.front() == '"' && file.back() == '"') {
        file = file.substr(1, file.size() - 2);
    }
    return file;
}
