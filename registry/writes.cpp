#include "registry/operations.h"
#include "registry/view64.h"

namespace {
// Creates the key when it is missing (with every key above it) and sets one value.
bool writeValue(Accessor self, RootType root, std::string& path, Dword type, const Bytes& data) {
    const Hkey rootKey = self.slots->RootHandle(self, root);
    std::int32_t wholeKey = 0;
    const std::string name = self.slots->SplitValuePath(self, path, wholeKey, 0);
    Hkey key = 0;
    if (os().RegCreateKeyA(rootKey, path, key) != win::kErrorSuccess) return false;
    const bool written = os().RegSetValueExA(key, name, type, data.empty() ? nullptr : data.data(),
                                             Dword(data.size())) == win::kErrorSuccess;
    os().RegCloseKey(key);
    return written;
}

Bytes textBytes(const std::string& text) { return Bytes(text.begin(), text.end()); }

// Every CR LF becomes the zero byte that separates the strings of the list.
Bytes multiTextBytes(const std::string& text) {
    Bytes bytes;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 2, "\r\n") == 0) {
            bytes.push_back(0);
            ++i;
        } else {
            bytes.push_back(std::uint8_t(text[i]));
        }
    }
    return bytes;
}

// A path ending in a backslash deletes that key's default value; otherwise its last component
// names a subkey to delete.
long deleteIn(Hkey key, std::int32_t wholeKey, const std::string& name) {
    return wholeKey == 1 ? os().RegDeleteValueA(key, "") : os().RegDeleteKeyA(key, name);
}
}  // namespace

bool writeInt(Accessor self, RootType root, std::string& path, std::int32_t value) {
    const std::uint32_t bits = static_cast<std::uint32_t>(value);
    const Bytes bytes = {std::uint8_t(bits), std::uint8_t(bits >> 8), std::uint8_t(bits >> 16),
                         std::uint8_t(bits >> 24)};
    return writeValue(self, root, path, win::kRegDword, bytes);
}

bool writeBytes(Accessor self, RootType root, std::string& path, Bytes& bytes) {
    return writeValue(self, root, path, win::kRegBinary, bytes);
}

bool writeText(Accessor self, RootType root, std::string& path, std::string& text) {
    return writeValue(self, root, path, win::kRegSz, textBytes(text));
}

bool writeMultiText(Accessor self, RootType root, std::string& path, std::string& text) {
    return writeValue(self, root, path, win::kRegMultiSz, multiTextBytes(text));
}

bool writeExpandText(Accessor self, RootType root, std::string& path, std::string& text) {
    return writeValue(self, root, path, win::kRegExpandSz, textBytes(text));
}

bool deleteEntry(Accessor self, RootType root, std::string& path, OptionalInt) {
    const Hkey rootKey = self.slots->RootHandle(self, root);
    std::int32_t wholeKey = 0;
    const std::string name = self.slots->SplitValuePath(self, path, wholeKey, 0);
    long result = -1;
    Hkey key = 0;
    if (os().RegOpenKeyA(rootKey, path, key) == win::kErrorSuccess) {
        result = deleteIn(key, wholeKey, name);
        os().RegCloseKey(key);
    }
    return result == win::kErrorSuccess;
}

bool deleteEntryView64(Accessor self, RootType root, std::string& path, OptionalInt) {
    if (self.is64Bit == 0) return false;
    const Hkey rootKey = self.slots->RootHandle(self, root);
    std::int32_t wholeKey = 0;
    const std::string name = self.slots->SplitValuePath(self, path, wholeKey, 0);
    long result = -1;
    withRedirectionOff([&] {
        withKeyView64(rootKey, path, [&](Hkey key) { result = deleteIn(key, wholeKey, name); });
    });
    return result == win::kErrorSuccess;
}
