// A simulated Windows for tests: the system port with a file system rooted in a host folder
// (drive C: is the folder "c" below it), special folders, code pages, a registry with its WOW64
// views, per-thread file-system redirection, and a shell and process starts that record what
// they are asked to do. It models what the program relies on, as Windows behaves.
#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "platform/os.h"
#include "platform/sim/sim_paths.h"
#include "platform/sim/sim_registry.h"

class SimOs : public Os {
public:
    explicit SimOs(std::filesystem::path hostRoot);
    ~SimOs() override;

    // What the test sets up. Paths are ANSI texts, as the program sees them.
    void setModuleFileName(const std::string& path);
    void setSpecialFolder(int csidl, std::optional<std::string> path);  // none: cannot be found out
    void setTempPath(std::optional<std::string> path);                 // none: cannot be found out
    void setAnsiCodePage(Dword codePage);
    // The folder refuses new entries, as one whose access control list denies writing.
    void denyCreatingIn(const std::string& folder);

    // Where a Windows path lives on the host, for a test to look at from outside.
    std::filesystem::path hostPath(const std::string& path);

    struct ShellOpen {
        std::string verb, file, parameters, directory;
        int showCommand = 0;
        std::string currentDirectory;  // at the moment of the call
    };
    std::vector<ShellOpen> shellOpens() const;

    // --- Registry, WOW64, processes and time --------------------------------------------------
    // 64-bit Windows as a 32-bit process sees it (the default), or 32-bit Windows with one
    // registry view. Choose before setting up the registry: 32-bit Windows has no WOW6432Node.
    void setWindows64(bool windows64);
    // 32-bit Windows before XP SP2 lacks the WOW64 routines: GetProcAddress does not find them
    // and calling them fails. 64-bit Windows always has them.
    void setWow64RoutinesExported(bool exported);

    // Registry contents by root key (win::kHkey*) and ANSI path, in a view. Setting creates
    // every missing key on the way; the empty name is the key's default value.
    void setRegistryValue(Hkey root, const std::string& path, const std::string& name, Dword type,
                          std::vector<std::uint8_t> data, RegView view = RegView::Default);
    // REG_SZ, stored with its terminating zero.
    void setRegistryString(Hkey root, const std::string& path, const std::string& name,
                           const std::string& text, RegView view = RegView::Default);
    void setRegistryDword(Hkey root, const std::string& path, const std::string& name, Dword value,
                          RegView view = RegView::Default);
    std::optional<RegValue> registryValue(Hkey root, const std::string& path,
                                          const std::string& name,
                                          RegView view = RegView::Default) const;
    bool registryKeyExists(Hkey root, const std::string& path,
                           RegView view = RegView::Default) const;
    void createRegistryKey(Hkey root, const std::string& path, RegView view = RegView::Default);
    void deleteRegistryKey(Hkey root, const std::string& path,
                           RegView view = RegView::Default);  // with its subkeys
    bool reflectionDisabled(Hkey root, const std::string& path,
                            RegView view = RegView::Default) const;
    std::size_t openRegistryKeys() const;  // handles opened or created and not yet closed

    // File-system redirection: the calling thread's state, and the brackets (a disable not yet
    // reverted) still open on any thread.
    bool redirectionOffOnThisThread() const;
    int openRedirectionBrackets() const;
    void failNextRedirection();         // the next Wow64DisableWow64FsRedirection fails
    void failRedirection(bool always);  // every one fails while set

    // The registry and WOW64 calls in their order. `key` is the key path as the caller named it
    // ("HKLM\SOFTWARE\X"), "<invalid>" for a handle that is not open; `name` is the value
    // name, or for GetModuleHandleA and GetProcAddress the module or routine asked for.
    struct Call {
        std::string function, key, name;
        RegView view = RegView::Default;
    };
    std::vector<Call> callLog() const;
    void clearCallLog();

    // Process starts with the state at the moment of the call. The hook runs at the call;
    // false from it makes the start fail (ERROR_FILE_NOT_FOUND), recorded as not started.
    struct ProcessStart {
        std::string commandLine;
        int showCommand = 0;
        bool redirectionOff = false;  // on the calling thread
        bool started = false;
    };
    std::vector<ProcessStart> processStarts() const;
    void setProcessStartHook(std::function<bool(const std::string& commandLine)> hook);
    std::size_t openProcessHandles() const;  // process and thread handles not yet closed
    void setTickCount(Dword ticks);

    // Os
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
    int MultiByteToWideChar(Dword codePage, const std::string& text, std::u16string& wide) override;
    int WideCharToMultiByte(Dword codePage, const std::u16string& wide, std::string& text) override;
    std::intptr_t ShellExecuteA(const std::string& verb, const std::string& file,
                                const std::string& parameters, const std::string& directory,
                                int showCommand) override;
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

private:
    struct OpenFile {
        int descriptor = -1;
        std::u16string key;
        Dword access = 0, shareMode = 0;
    };
    struct Search {
        std::vector<FindData> entries;
        std::size_t next = 0;
    };
    struct Located {
        std::filesystem::path host;
        std::u16string key;  // the path folded for comparison, also the attribute key
    };

    bool fail(Dword error);
    Dword systemCodePage(Dword codePage) const;
    Handle failHandle(Dword error);
    std::optional<WindowsPath> parse(const std::string& path);
    Located locate(const WindowsPath& path);
    std::string ansiText(const std::u16string& wide);
    Dword storedAttributes(const std::u16string& key) const;
    bool sharingAllows(const std::u16string& key, Dword access, Dword shareMode) const;
    bool creatingDenied(const Located& entry) const;
    std::optional<Located> locateEntry(const std::string& path);

    std::filesystem::path root_;
    WindowsPath currentDirectory_;
    std::string moduleFileName_;
    std::map<int, std::optional<std::string>> specialFolders_;
    std::optional<std::string> tempPath_;
    Dword ansiCodePage_ = 936;
    std::set<std::u16string> deniedFolders_;
    std::map<std::u16string, Dword> attributes_;  // read-only, hidden, system: kept beside the host files
    std::map<Handle, OpenFile> files_;
    std::map<Handle, Search> searches_;
    Handle nextHandle_ = 0x100;
    std::vector<ShellOpen> shellOpens_;
    SimRegistry registry_{ansiCodePage_, nextHandle_};
    bool wow64Exported_ = true;
    struct Redirection {
        std::uintptr_t value = 0;  // 0 while redirection is on, as Windows hands it back
        int open = 0;
    };
    std::map<std::thread::id, Redirection> redirection_;
    bool failNextRedirection_ = false, failRedirection_ = false;
    std::vector<Call> calls_;
    std::vector<ProcessStart> processStarts_;
    std::function<bool(const std::string&)> processStartHook_;
    std::set<Handle> processHandles_;
    Dword nextProcessId_ = 0x1000;
    Dword tickCount_ = 5000000;
    mutable std::recursive_mutex mutex_;

    void log(const char* function, std::string key, std::string name = std::string(),
             RegView view = RegView::Default);
    bool wow64Callable(const char* function);
};
