#include <cstdio>

#include "app/file_search.h"
#include "app/special_folders.h"
#include "core/dbcs.h"
#include "registry/operations.h"

namespace {
std::uint32_t namesMade = 0;  // grows with every temporary name this process makes

// Runs the registry editor on the file and waits for it to end. Only the start counts.
bool runRegistryEditor(const std::string& file) {
    // Quoted, so that a folder with a space in its name stays one argument.
    ProcessInformation started;
    if (!os().CreateProcessA("regedit /s \"" + file + "\"", win::kSwHide, started)) return false;
    os().WaitForSingleObject(started.process, win::kInfinite);
    os().CloseHandle(started.process);
    os().CloseHandle(started.thread);
    return true;
}

// A name in the temporary folder that nothing uses yet: a hexadecimal number and ".tmp".
std::string temporaryFileName() {
    const std::string folder = specialFolderPath(SpecialFolder::Temp);
    std::uint32_t number = os().GetTickCount() + namesMade++;
    for (;; ++number) {
        char name[16];
        std::snprintf(name, sizeof name, "%x.tmp", number);
        if (!entryExists(folder + name)) return folder + name;
    }
}

bool writeFile(const std::string& path, const std::string& content) {
    const Handle file =
        os().CreateFileA(path, win::kGenericWrite, 0, win::kCreateAlways, win::kAttributeNormal);
    if (file == win::kInvalidHandle) return false;
    Dword written = 0;
    const bool complete =
        content.empty() || (os().WriteFile(file, content.data(), Dword(content.size()), written) &&
                            written == content.size());
    os().CloseHandle(file);
    return complete;
}

// The .reg format reads a backslash or a double quote inside a quoted string as an escape.
std::string escaped(const std::string& text) {
    std::string result;
    for (std::size_t at = 0; at < text.size(); at += dbcsCharacterLength(text, at)) {
        const std::size_t length = dbcsCharacterLength(text, at);  // a trail byte 0x5C is no backslash
        if (length == 1 && (text[at] == '\\' || text[at] == '"')) result += '\\';
        result.append(text, at, length);
    }
    return result;
}

enum class DefaultValue { Allowed, Refused };

// Imports a one-value .reg text for the key the path names. `data` follows "=" on the value
// line: the whole right-hand side, e.g. dword:000000FF or "text".
bool importOneValue(Accessor self, RootType root, const std::string& keyPath,
                    const std::string& name, const std::string& data, DefaultValue defaultValue) {
    if (name.empty() && defaultValue == DefaultValue::Refused) return false;
    std::string text = "Windows Registry Editor Version 5.00\r\n\r\n[" +
                       self.slots->RootName(self, root) + "\\" + keyPath + "]\r\n";
    text += (name.empty() ? std::string("@") : "\"" + escaped(name) + "\"") + "=" + data + "\r\n";
    return self.slots->ImportRegText(self, text);
}

std::string splitOff(Accessor self, std::string& path) {
    std::int32_t wholeKey = 0;
    return self.slots->SplitValuePath(self, path, wholeKey, 0);
}

std::string hexList(Accessor self, Bytes bytes) {
    return self.slots->BytesToHex(self, bytes, std::nullopt, std::nullopt, std::nullopt);
}
}  // namespace

bool importRegFile(Accessor self, std::string& file) {
    if (!entryExists(file)) return false;
    std::uintptr_t previous = 0;
    if (self.is64Bit == 1) os().Wow64DisableWow64FsRedirection(previous);
    const bool started = runRegistryEditor(file);
    if (self.is64Bit == 1) os().Wow64RevertWow64FsRedirection(previous);
    return started;
}

bool importRegText(Accessor self, std::string& text) {
    std::uintptr_t previous = 0;
    if (self.is64Bit == 1) os().Wow64DisableWow64FsRedirection(previous);
    const std::string file = temporaryFileName();
    if (!writeFile(file, text)) {
        if (self.is64Bit == 1) os().Wow64RevertWow64FsRedirection(previous);
        return false;
    }
    const bool started = runRegistryEditor(file);
    if (self.is64Bit == 1) os().Wow64RevertWow64FsRedirection(previous);
    os().DeleteFileA(file);
    return started;
}

bool writeIntView64(Accessor self, RootType root, std::string& path, std::int32_t value) {
    if (self.is64Bit == 0) return false;
    const std::string name = splitOff(self, path);
    char digits[9];
    std::snprintf(digits, sizeof digits, "%08X", static_cast<unsigned>(value));
    return importOneValue(self, root, path, name, std::string("dword:") + digits,
                          DefaultValue::Refused);
}

bool writeTextView64(Accessor self, RootType root, std::string& path, std::string& text) {
    if (self.is64Bit == 0) return false;
    const std::string name = splitOff(self, path);
    return importOneValue(self, root, path, name, "\"" + escaped(text) + "\"", DefaultValue::Allowed);
}

bool writeBytesView64(Accessor self, RootType root, std::string& path, Bytes& bytes) {
    if (self.is64Bit == 0) return false;
    const std::string name = splitOff(self, path);
    return importOneValue(self, root, path, name, "hex:" + hexList(self, bytes),
                          DefaultValue::Refused);
}

bool writeMultiTextView64(Accessor self, RootType root, std::string& path, std::string& text) {
    if (self.is64Bit == 0) return false;
    const std::string name = splitOff(self, path);
    // Each CR LF of the text ends one string of the list; the final zero ends the last one.
    const Bytes wide = self.slots->TextToWide(self, text);
    Bytes list;
    for (std::size_t i = 0; i + 1 < wide.size(); i += 2) {
        if (i + 3 < wide.size() && wide[i] == '\r' && wide[i + 1] == 0 && wide[i + 2] == '\n' &&
            wide[i + 3] == 0) {
            list.insert(list.end(), {0, 0});
            i += 2;
        } else {
            list.insert(list.end(), {wide[i], wide[i + 1]});
        }
    }
    return importOneValue(self, root, path, name, "hex(7):" + hexList(self, list),
                          DefaultValue::Refused);
}

bool writeExpandTextView64(Accessor self, RootType root, std::string& path, std::string& text) {
    if (self.is64Bit == 0) return false;
    const std::string name = splitOff(self, path);
    return importOneValue(self, root, path, name,
                          "hex(2):" + hexList(self, self.slots->TextToWide(self, text)),
                          DefaultValue::Refused);
}
