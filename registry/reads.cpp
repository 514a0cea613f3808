#include "registry/operations.h"
#include "registry/view64.h"

namespace {
// The value's data: its size asked for first, then exactly that many bytes. The second query's
// outcome does not matter; the zero-filled buffer keeps its first length.
Bytes queryData(Hkey key, const std::string& name) {
    Dword size = 0;
    if (os().RegQueryValueExA(key, name, nullptr, nullptr, &size) != win::kErrorSuccess) {
        return Bytes();
    }
    Bytes data(size, 0);
    Dword filled = size;
    Dword type = 0;
    os().RegQueryValueExA(key, name, &type, data.data(), &filled);
    return data;
}

Bytes readDefaultView(Accessor self, RootType root, std::string& path) {
    const Hkey rootKey = self.slots->RootHandle(self, root);
    std::int32_t wholeKey = 0;
    const std::string name = self.slots->SplitValuePath(self, path, wholeKey, 0);
    Hkey key = 0;
    if (os().RegOpenKeyA(rootKey, path, key) != win::kErrorSuccess) return Bytes();
    Bytes data = queryData(key, name);
    os().RegCloseKey(key);
    return data;
}

Bytes readView64(Accessor self, RootType root, std::string& path) {
    if (self.is64Bit == 0) return Bytes();
    const Hkey rootKey = self.slots->RootHandle(self, root);
    std::int32_t wholeKey = 0;
    const std::string name = self.slots->SplitValuePath(self, path, wholeKey, 0);
    Bytes data;
    withRedirectionOff([&] {
        withKeyView64(rootKey, path, [&](Hkey key) { data = queryData(key, name); });
    });
    return data;
}

// Conversions by kind. The type the registry reports is not looked at.
std::int32_t asInt(const Bytes& data) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4 && i < data.size(); ++i) value |= std::uint32_t(data[i]) << (8 * i);
    return static_cast<std::int32_t>(value);
}

std::string asText(const Bytes& data) {
    const std::string text(data.begin(), data.end());
    return text.substr(0, text.find('\0'));
}

std::string asMultiText(const Bytes& data) {
    std::string text;
    for (std::uint8_t byte : data) {
        if (byte == 0) text += "\r\n";
        else text += char(byte);
    }
    return text;
}

// True when the value exists with at least one byte of data.
bool hasData(Hkey key, const std::string& name) {
    Dword size = 0;
    return os().RegQueryValueExA(key, name, nullptr, nullptr, &size) == win::kErrorSuccess &&
           size > 0;
}
}  // namespace

long openKey(Accessor, Hkey root, std::string& keyPath, Hkey& key) {
    return os().RegOpenKeyA(root, keyPath, key);
}

long openKeyView64(Accessor, Hkey root, std::string& keyPath, Hkey& key) {
    return os().RegOpenKeyExA(root, keyPath, 0, kView64ListAccess, key);
}

bool valueExists(Accessor self, RootType root, std::string& path) {
    const Hkey rootKey = self.slots->RootHandle(self, root);
    std::int32_t wholeKey = 0;
    const std::string name = self.slots->SplitValuePath(self, path, wholeKey, 0);
    bool exists = false;
    if (self.is64Bit == 0) {
        Hkey key = 0;
        if (os().RegOpenKeyA(rootKey, path, key) != win::kErrorSuccess) return false;
        exists = hasData(key, name);
        os().RegCloseKey(key);
        return exists;
    }
    withRedirectionOff([&] {
        withKeyView64(rootKey, path, [&](Hkey key) { exists = hasData(key, name); });
    });
    return exists;
}

std::int32_t readInt(Accessor self, RootType root, std::string& path) {
    return asInt(readDefaultView(self, root, path));
}
Bytes readBytes(Accessor self, RootType root, std::string& path) {
    return readDefaultView(self, root, path);
}
std::string readText(Accessor self, RootType root, std::string& path) {
    return asText(readDefaultView(self, root, path));
}
std::string readMultiText(Accessor self, RootType root, std::string& path) {
    return asMultiText(readDefaultView(self, root, path));
}
std::string readExpandText(Accessor self, RootType root, std::string& path) {
    return asText(readDefaultView(self, root, path));  // references are not expanded
}

std::int32_t readIntView64(Accessor self, RootType root, std::string& path) {
    return asInt(readView64(self, root, path));
}
Bytes readBytesView64(Accessor self, RootType root, std::string& path) {
    return readView64(self, root, path);
}
std::string readTextView64(Accessor self, RootType root, std::string& path) {
    return asText(readView64(self, root, path));
}
std::string readMultiTextView64(Accessor self, RootType root, std::string& path) {
    return asMultiText(readView64(self, root, path));
}
std::string readExpandTextView64(Accessor self, RootType root, std::string& path) {
    return asText(readView64(self, root, path));
}
