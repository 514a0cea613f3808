// A simulated Windows for tests: the system port with a file system rooted in a host folder
// (drive C: is the folder "c" below it), special folders, code pages and a shell that records
// what it is asked to open. It models what the program relies on, as Windows behaves.
#pragma once

#include <filesystem>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/os.h"
#include "platform/sim/sim_paths.h"

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
    mutable std::recursive_mutex mutex_;
};
