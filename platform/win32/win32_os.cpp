#include "platform/win32/win32_os.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

namespace {
HANDLE toWin32(Handle handle) { return reinterpret_cast<HANDLE>(handle); }
Handle fromWin32(HANDLE handle) { return reinterpret_cast<Handle>(handle); }
const char* orNull(const std::string& text) { return text.empty() ? nullptr : text.c_str(); }

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
