#include "platform/win32/win32_os.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

namespace {
HANDLE toWin32(Handle handle) { return reinterpret_cast<HANDLE>(handle); }
Handle fromWin32(HANDLE handle) { return reinterpret_cast<Handle>(handle); }
const char* orNull(const std::string& text) { return text.empty() ? nullptr : text.c_str(); }
HKEY toKey(Hkey key) { return reinterpret_cast<HKEY>(key); }

// Functions that 32-bit Windows may lack are looked up when they are first needed.
template <typename Function>
Function lookUp(const char* module, const char* name) {
    return reinterpret_cast<Function>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA(module), name)));
}

void copyFound(const WIN32_FIND_DATAA& data, FindData& found) {
    found.attributes = data.dwFileAttributes;
    found.fileName = data.cFileName;
}
}  // namespace

Dword Win32Os::GetModuleFileNameA(std::string& path) {
    char buffer[MAX_PATH];
    const DWORD length = ::GetModuleFileNameA(nullptr, buffer, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return 0;
    path.assign(buffer, length);
    return length;
}

bool Win32Os::SetCurrentDirectoryA(const std::string& path) {
    return ::SetCurrentDirectoryA(path.c_str()) != 0;
}

Dword Win32Os::GetCurrentDirectoryA(std::string& path) {
    char buffer[MAX_PATH];
    const DWORD length = ::GetCurrentDirectoryA(MAX_PATH, buffer);
    if (length == 0 || length >= MAX_PATH) return length;
    path.assign(buffer, length);
    return length;
}

Dword Win32Os::GetLastError() { return ::GetLastError(); }

bool Win32Os::SHGetSpecialFolderPathA(std::string& path, int csidl, bool create) {
    char buffer[MAX_PATH] = {};
    if (!::SHGetSpecialFolderPathA(nullptr, buffer, csidl, create)) return false;
    path = buffer;
    return true;
}

Dword Win32Os::GetTempPathA(Dword bufferLength, std::string& path) {
    std::string buffer(bufferLength, '\0');
    const DWORD length = ::GetTempPathA(bufferLength, buffer.data());
    if (length > 0 && length < bufferLength) path.assign(buffer.data(), length);
    return length;
}

Handle Win32Os::FindFirstFileA(const std::string& pattern, FindData& found) {
    WIN32_FIND_DATAA data;
    const HANDLE search = ::FindFirstFileA(pattern.c_str(), &data);
    if (search != INVALID_HANDLE_VALUE) copyFound(data, found);
    return fromWin32(search);
}

bool Win32Os::FindNextFileA(Handle search, FindData& found) {
    WIN32_FIND_DATAA data;
    if (!::FindNextFileA(toWin32(search), &data)) return false;
    copyFound(data, found);
    return true;
}

bool Win32Os::FindClose(Handle search) { return ::FindClose(toWin32(search)) != 0; }

Handle Win32Os::CreateFileA(const std::string& path, Dword access, Dword shareMode,
                            Dword disposition, Dword attributes) {
    return fromWin32(::CreateFileA(path.c_str(), access, shareMode, nullptr, disposition,
                                   attributes, nullptr));
}

bool Win32Os::ReadFile(Handle file, void* buffer, Dword toRead, Dword& read) {
    DWORD count = 0;
    const BOOL ok = ::ReadFile(toWin32(file), buffer, toRead, &count, nullptr);
    read = count;
    return ok != 0;
}

bool Win32Os::WriteFile(Handle file, const void* data, Dword toWrite, Dword& written) {
    DWORD count = 0;
    const BOOL ok = ::WriteFile(toWin32(file), data, toWrite, &count, nullptr);
    written = count;
    return ok != 0;
}

bool Win32Os::CloseHandle(Handle object) { return ::CloseHandle(toWin32(object)) != 0; }

bool Win32Os::DeleteFileA(const std::string& path) { return ::DeleteFileA(path.c_str()) != 0; }

bool Win32Os::CreateDirectoryA(const std::string& path) {
    return ::CreateDirectoryA(path.c_str(), nullptr) != 0;
}

bool Win32Os::RemoveDirectoryA(const std::string& path) {
    return ::RemoveDirectoryA(path.c_str()) != 0;
}

Dword Win32Os::GetFileAttributesA(const std::string& path) {
    return ::GetFileAttributesA(path.c_str());
}

bool Win32Os::SetFileAttributesA(const std::string& path, Dword attributes) {
    return ::SetFileAttributesA(path.c_str(), attributes) != 0;
}

long Win32Os::RegOpenKeyA(Hkey key, const std::string& subKey, Hkey& opened) {
    HKEY result = nullptr;
    const long code = ::RegOpenKeyA(toKey(key), subKey.c_str(), &result);
    opened = reinterpret_cast<Hkey>(result);
    return code;
}

long Win32Os::RegOpenKeyExA(Hkey key, const std::string& subKey, Dword options, Dword access,
                            Hkey& opened) {
    HKEY result = nullptr;
    const long code = ::RegOpenKeyExA(toKey(key), subKey.c_str(), options, access, &result);
    opened = reinterpret_cast<Hkey>(result);
    return code;
}

long Win32Os::RegCreateKeyA(Hkey key, const std::string& subKey, Hkey& created) {
    HKEY result = nullptr;
    const long code = ::RegCreateKeyA(toKey(key), subKey.c_str(), &result);
    created = reinterpret_cast<Hkey>(result);
    return code;
}

long Win32Os::RegCloseKey(Hkey key) { return ::RegCloseKey(toKey(key)); }

long Win32Os::RegQueryValueExA(Hkey key, const std::string& valueName, Dword* type,
                               std::uint8_t* data, Dword* size) {
    DWORD typeCode = 0, sizeValue = size ? *size : 0;
    const long code = ::RegQueryValueExA(toKey(key), valueName.c_str(), nullptr,
                                         type ? &typeCode : nullptr, data,
                                         size ? &sizeValue : nullptr);
    if (type) *type = typeCode;
    if (size) *size = sizeValue;
    return code;
}

long Win32Os::RegSetValueExA(Hkey key, const std::string& valueName, Dword type,
                             const std::uint8_t* data, Dword size) {
    return ::RegSetValueExA(toKey(key), valueName.c_str(), 0, type, data, size);
}

long Win32Os::RegDeleteKeyA(Hkey key, const std::string& subKey) {
    return ::RegDeleteKeyA(toKey(key), subKey.c_str());
}

long Win32Os::RegDeleteValueA(Hkey key, const std::string& valueName) {
    return ::RegDeleteValueA(toKey(key), valueName.c_str());
}

long Win32Os::RegEnumKeyA(Hkey key, Dword index, char* name, Dword nameSize) {
    return ::RegEnumKeyA(toKey(key), index, name, nameSize);
}

long Win32Os::RegEnumValueA(Hkey key, Dword index, char* name, Dword* nameSize, Dword* type,
                            std::uint8_t* data, Dword* dataSize) {
    DWORD nameLength = nameSize ? *nameSize : 0, typeCode = 0,
          dataLength = dataSize ? *dataSize : 0;
    const long code = ::RegEnumValueA(toKey(key), index, name, &nameLength, nullptr,
                                      type ? &typeCode : nullptr, data,
                                      dataSize ? &dataLength : nullptr);
    if (nameSize) *nameSize = nameLength;
    if (type) *type = typeCode;
    if (dataSize) *dataSize = dataLength;
    return code;
}

long Win32Os::RegQueryInfoKeyA(Hkey key, Dword* subKeys) {
    DWORD count = 0;
    const long code = ::RegQueryInfoKeyA(toKey(key), nullptr, nullptr, nullptr, &count, nullptr,
                                         nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
    if (subKeys) *subKeys = count;
    return code;
}

long Win32Os::RegDisableReflectionKey(Hkey key) {
    using Function = LONG(WINAPI*)(HKEY);
    static const auto function = lookUp<Function>("advapi32.dll", "RegDisableReflectionKey");
    return function ? function(toKey(key)) : ERROR_CALL_NOT_IMPLEMENTED;
}

long Win32Os::RegEnableReflectionKey(Hkey key) {
    using Function = LONG(WINAPI*)(HKEY);
    static const auto function = lookUp<Function>("advapi32.dll", "RegEnableReflectionKey");
    return function ? function(toKey(key)) : ERROR_CALL_NOT_IMPLEMENTED;
}

Address Win32Os::GetModuleHandleA(const std::string& module) {
    return reinterpret_cast<Address>(::GetModuleHandleA(module.c_str()));
}

Address Win32Os::GetProcAddress(Address module, const std::string& name) {
    return reinterpret_cast<Address>(::GetProcAddress(reinterpret_cast<HMODULE>(module),
                                                      name.c_str()));
}

Dword Win32Os::GetSystemWow64DirectoryA(std::string& path, Dword bufferSize) {
    using Function = UINT(WINAPI*)(LPSTR, UINT);
    static const auto function = lookUp<Function>("kernel32.dll", "GetSystemWow64DirectoryA");
    if (!function) return 0;
    std::string buffer(bufferSize, '\0');
    const UINT length = function(buffer.data(), bufferSize);
    if (length > 0 && length < bufferSize) path.assign(buffer.data(), length);
    return length;
}

bool Win32Os::Wow64DisableWow64FsRedirection(std::uintptr_t& oldValue) {
    using Function = BOOL(WINAPI*)(PVOID*);
    static const auto function =
        lookUp<Function>("kernel32.dll", "Wow64DisableWow64FsRedirection");
    PVOID old = nullptr;
    const bool ok = function && function(&old);
    oldValue = reinterpret_cast<std::uintptr_t>(old);
    return ok;
}

bool Win32Os::Wow64RevertWow64FsRedirection(std::uintptr_t oldValue) {
    using Function = BOOL(WINAPI*)(PVOID);
    static const auto function =
        lookUp<Function>("kernel32.dll", "Wow64RevertWow64FsRedirection");
    return function && function(reinterpret_cast<PVOID>(oldValue));
}

bool Win32Os::CreateProcessA(const std::string& commandLine, int showCommand,
                             ProcessInformation& started) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showCommand);
    PROCESS_INFORMATION information = {};
    std::string line = commandLine;  // CreateProcessA may write into its command line
    if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &information)) {
        return false;
    }
    started.process = fromWin32(information.hProcess);
    started.thread = fromWin32(information.hThread);
    started.processId = information.dwProcessId;
    started.threadId = information.dwThreadId;
    return true;
}

Dword Win32Os::WaitForSingleObject(Handle object, Dword milliseconds) {
    return ::WaitForSingleObject(toWin32(object), milliseconds);
}

Dword Win32Os::GetTickCount() { return ::GetTickCount(); }

int Win32Os::MultiByteToWideChar(Dword codePage, const std::string& text, std::u16string& wide) {
    const int size = static_cast<int>(text.size());
    const int length = ::MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
    if (length <= 0) return 0;
    wide.assign(static_cast<std::size_t>(length), u'\0');
    return ::MultiByteToWideChar(codePage, 0, text.data(), size,
                                 reinterpret_cast<wchar_t*>(wide.data()), length);
}

int Win32Os::WideCharToMultiByte(Dword codePage, const std::u16string& wide, std::string& text) {
    const auto* source = reinterpret_cast<const wchar_t*>(wide.data());
    const int size = static_cast<int>(wide.size());
    const int length =
        ::WideCharToMultiByte(codePage, 0, source, size, nullptr, 0, nullptr, nullptr);
    if (length <= 0) return 0;
    text.assign(static_cast<std::size_t>(length), '\0');
    return ::WideCharToMultiByte(codePage, 0, source, size, text.data(), length, nullptr,
                                 nullptr);
}

std::intptr_t Win32Os::ShellExecuteA(const std::string& verb, const std::string& file,
                                     const std::string& parameters, const std::string& directory,
                                     int showCommand) {
    return reinterpret_cast<std::intptr_t>(::ShellExecuteA(nullptr, orNull(verb), file.c_str(),
                                                           orNull(parameters), orNull(directory),
                                                           showCommand));
}
