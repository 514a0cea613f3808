#include <algorithm>
#include <cstdio>

#include "core/dbcs.h"
#include "platform/ui.h"
#include "registry/operations.h"

void destroyAccessor(Accessor) {}

std::unique_ptr<RegistryAccessor> copyAccessor(Accessor self) {
    auto copy = std::make_unique<RegistryAccessor>();
    copy->slots = self.slots;
    copy->is64Bit = self.is64Bit;
    return copy;
}

void noEffect(Accessor) {}

namespace {
struct Root {
    Hkey handle;
    const char* name;
};
// By RootType, which has its own order: 2 is the current configuration, not the current user.
constexpr Root kRoots[] = {
    {win::kHkeyClassesRoot, "HKEY_CLASSES_ROOT"},     {win::kHkeyCurrentConfig, "HKEY_CURRENT_CONFIG"},
    {win::kHkeyCurrentUser, "HKEY_CURRENT_USER"},     {win::kHkeyLocalMachine, "HKEY_LOCAL_MACHINE"},
    {win::kHkeyUsers, "HKEY_USERS"},
};

const Root* findRoot(RootType root) {
    return root >= 1 && root <= 5 ? &kRoots[root - 1] : nullptr;
}
}  // namespace

Hkey rootHandle(Accessor, RootType root) {
    const Root* found = findRoot(root);
    return found ? found->handle : 0;
}

std::string rootName(Accessor, RootType root) {
    const Root* found = findRoot(root);
    return found ? found->name : "";
}

std::string splitValuePath(Accessor, std::string& path, std::int32_t& wholeKey, std::int32_t) {
    // Both tests read the path as double-byte text: a GBK character may end in the byte 0x5C.
    if (dbcsEndsWith(path, '\\')) wholeKey = 1;
    if (wholeKey != 0) return std::string();
    const std::size_t separator = dbcsFindLast(path, '\\');
    if (separator == kNotFound) return std::string();
    std::string name = path.substr(separator + 1);
    path.erase(separator);
    return name;
}

std::string bytesToHex(Accessor, Bytes& bytes, OptionalInt start, OptionalInt count,
                       OptionalInt commas) {
    if (bytes.empty()) return std::string();
    const std::int32_t startArgument = start.value_or(0), countArgument = count.value_or(0);
    const char separator = commas.value_or(1) != 0 ? ',' : ' ';
    const std::int64_t length = static_cast<std::int64_t>(bytes.size());
    const std::int64_t first = std::max<std::int64_t>(startArgument, 1);
    const bool toTheEnd =
        countArgument < 1 || double(countArgument) + startArgument - double(length) > 0.0000001;
    const std::int64_t end = toTheEnd ? length : std::int64_t(countArgument) + startArgument - 1;
    if (first > length) return std::string();  // nothing there to show
    char digits[3];
    if (end <= first) {
        std::snprintf(digits, sizeof digits, "%02X", bytes[std::size_t(first - 1)]);
        return digits;
    }
    std::string text;
    for (std::int64_t position = first; position <= end; ++position) {
        std::snprintf(digits, sizeof digits, "%02X", bytes[std::size_t(position - 1)]);
        text += digits;
        text += separator;
        ui().processPendingMessages();  // long data must not freeze the window
    }
    return text;
}

Bytes textToWide(Accessor, std::string& text) {
    // As Win32 reads a zero-terminated text: up to its first zero byte.
    const std::string terminated = text.substr(0, text.find('\0'));
    if (terminated.empty()) return Bytes(2, 0);
    std::u16string wide;
    if (os().MultiByteToWideChar(win::kCodePageAnsi, terminated, wide) == 0) return Bytes();
    Bytes bytes((wide.size() + 1) * 2, 0);
    for (std::size_t i = 0; i < wide.size(); ++i) {
        bytes[2 * i] = std::uint8_t(wide[i] & 0xFF);
        bytes[2 * i + 1] = std::uint8_t(wide[i] >> 8);
    }
    return bytes;
}

std::string wideToText(Accessor, Bytes& bytes) {
    std::u16string wide;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const char16_t character = char16_t(bytes[i] | (bytes[i + 1] << 8));
        if (character == 0) break;
        wide += character;
    }
    std::string text;
    if (wide.empty() || os().WideCharToMultiByte(win::kCodePageOem, wide, text) == 0) {
        return std::string();
    }
    return text;
}

std::int32_t is64BitSystem(Accessor self) { return self.is64Bit; }

void InitRegistryAccessor(Accessor self) {
    std::string directory(255, ' ');
    const Address kernel = os().GetModuleHandleA("kernel32.dll");
    const bool present = os().GetProcAddress(kernel, "GetSystemWow64DirectoryA") != 0;
    self.is64Bit = present && os().GetSystemWow64DirectoryA(directory, 255) > 0 ? 1 : 0;
}
