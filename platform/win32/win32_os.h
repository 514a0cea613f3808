// The real system port: each method forwards to the Win32 function of the same name.
#pragma once

#include "platform/os.h"

class Win32Os : public Os {
public:
    Dword GetModuleFileNameA(std::string& path) override;
    bool SetCurrentDirectoryA(const std::string& path) override;
    Dword GetCurrentDirectoryA(std::string& path) override;
    Dword GetLastError() override;
    bool SHGetSpecialFolderPathA(std::string& path, int csidl, bool create) override;
    Dword GetTempPathA(Dword bufferLength, std::string& path) override;
    Handle FindFirstFileA(const std::string& pattern, FindData& found) override;
    bool FindNextFileA(Handle search, FindData& found) override;
    bool FindClose(Handle search) override;
    Handle CreateFileA(const std::string& path, Dword access, Dword shareMode, Dword disposition,
                       Dword attributes) override;
    bool ReadFile(Handle file, void* buffer, Dword toRead, Dword& read) override;
    bool WriteFile(Handle file, const void* data, Dword toWrite, Dword& written) override;
    bool CloseHandle(Handle object) override;
    bool DeleteFileA(const std::string& path) override;
    bool CreateDirectoryA(const std::string& path) override;
    bool RemoveDirectoryA(const std::string& path) override;
    Dword GetFileAttributesA(const std::string& path) override;
    bool SetFileAttributesA(const std::string& path, Dword attributes) override;
    long RegOpenKeyA(Hkey key, const std::string& subKey, Hkey& opened) override;
    long RegOpenKeyExA(Hkey key, const std::string& subKey, Dword options, Dword access,
                       Hkey& opened) override;
    long RegCreateKeyA(Hkey key, const std::string& subKey, Hkey& created) override;
    long RegCloseKey(Hkey key) override;
    long RegQueryValueExA(Hkey key, const std::string& valueName, Dword* type, std::uint8_t* data,
                          Dword* size) override;
    long RegSetValueExA(Hkey key, const std::string& valueName, Dword type,
                        const std::uint8_t* data, Dword size) override;
    long RegDeleteKeyA(Hkey key, const std::string& subKey) override;
    long RegDeleteValueA(Hkey key, const std::string& valueName) override;
    long RegEnumKeyA(Hkey key, Dword index, char* name, Dword nameSize) override;
    long RegEnumValueA(Hkey key, Dword index, char* name, Dword* nameSize, Dword* type,
                       std::uint8_t* data, Dword* dataSize) override;
    long RegQueryInfoKeyA(Hkey key, Dword* subKeys) override;
    long RegDisableReflectionKey(Hkey key) override;
    long RegEnableReflectionKey(Hkey key) override;
    Address GetModuleHandleA(const std::string& module) override;
    Address GetProcAddress(Address module, const std::string& name) override;
    Dword GetSystemWow64DirectoryA(std::string& path, Dword bufferSize) override;
    bool Wow64DisableWow64FsRedirection(std::uintptr_t& oldValue) override;
    bool Wow64RevertWow64FsRedirection(std::uintptr_t oldValue) override;
    bool CreateProcessA(const std::string& commandLine, int showCommand,
                        ProcessInformation& started) override;
    Dword WaitForSingleObject(Handle object, Dword milliseconds) override;
    Dword GetTickCount() override;
    int MultiByteToWideChar(Dword codePage, const std::string& text, std::u16string& wide) override;
    int WideCharToMultiByte(Dword codePage, const std::u16string& wide, std::string& text) override;
    std::intptr_t ShellExecuteA(const std::string& verb, const std::string& file,
                                const std::string& parameters, const std::string& directory,
                                int showCommand) override;
};
