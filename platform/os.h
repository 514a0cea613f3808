// The system port: the Win32 functions the program calls, one method each, with the Win32 name,
// argument order and result conventions, declared with small types of our own. No platform
// header is included here; the real implementation forwards one-to-one, the simulated one
// models Windows' behaviour for tests.
#pragma once

#include <cstdint>
#include <string>

using Dword = std::uint32_t;
using Handle = std::uintptr_t;  // a kernel object handle, as the Win32 HANDLE value
using Hkey = std::uintptr_t;    // a registry key handle; the root keys have their Win32 values
using Address = std::uintptr_t;  // a module handle or a routine's address

struct ProcessInformation {
    Handle process = 0, thread = 0;
    Dword processId = 0, threadId = 0;
};

struct FindData {
    Dword attributes = 0;
    std::string fileName;  // the entry's own name, without its folder
};

class Os {
public:
    virtual ~Os() = default;

    // Module and process.
    virtual Dword GetModuleFileNameA(std::string& path) = 0;  // length, 0 on failure
    virtual bool SetCurrentDirectoryA(const std::string& path) = 0;
    virtual Dword GetCurrentDirectoryA(std::string& path) = 0;  // length, 0 on failure
    virtual Dword GetLastError() = 0;

    // Special folders. SHGetSpecialFolderPathA has no owner window here: the program never
    // passes one.
    virtual bool SHGetSpecialFolderPathA(std::string& path, int csidl, bool create) = 0;
    virtual Dword GetTempPathA(Dword bufferLength, std::string& path) = 0;  // as Win32: length, or the size needed

    // Files.
    virtual Handle FindFirstFileA(const std::string& pattern, FindData& found) = 0;
    virtual bool FindNextFileA(Handle search, FindData& found) = 0;
    virtual bool FindClose(Handle search) = 0;
    virtual Handle CreateFileA(const std::string& path, Dword access, Dword shareMode,
                               Dword disposition, Dword attributes) = 0;
    virtual bool ReadFile(Handle file, void* buffer, Dword toRead, Dword& read) = 0;
    virtual bool WriteFile(Handle file, const void* data, Dword toWrite, Dword& written) = 0;
    virtual bool CloseHandle(Handle object) = 0;
    virtual bool DeleteFileA(const std::string& path) = 0;
    virtual bool CreateDirectoryA(const std::string& path) = 0;
    virtual bool RemoveDirectoryA(const std::string& path) = 0;
    virtual Dword GetFileAttributesA(const std::string& path) = 0;
    virtual bool SetFileAttributesA(const std::string& path, Dword attributes) = 0;

    // Code pages. Results are character counts, 0 on failure, as Win32 gives them.
    virtual int MultiByteToWideChar(Dword codePage, const std::string& text, std::u16string& wide) = 0;
    virtual int WideCharToMultiByte(Dword codePage, const std::u16string& wide, std::string& text) = 0;

    // Registry. Results are Win32 result codes (0 on success). A null data or size pointer
    // asks for nothing there, as in Win32; names and data are ANSI.
    virtual long RegOpenKeyA(Hkey key, const std::string& subKey, Hkey& opened) = 0;
    virtual long RegOpenKeyExA(Hkey key, const std::string& subKey, Dword options, Dword access,
                               Hkey& opened) = 0;
    virtual long RegCreateKeyA(Hkey key, const std::string& subKey, Hkey& created) = 0;
    virtual long RegCloseKey(Hkey key) = 0;
    virtual long RegQueryValueExA(Hkey key, const std::string& valueName, Dword* type,
                                  std::uint8_t* data, Dword* size) = 0;
    virtual long RegSetValueExA(Hkey key, const std::string& valueName, Dword type,
                                const std::uint8_t* data, Dword size) = 0;
    virtual long RegDeleteKeyA(Hkey key, const std::string& subKey) = 0;
    virtual long RegDeleteValueA(Hkey key, const std::string& valueName) = 0;
    // `name` receives at most nameSize bytes, its terminating zero included.
    virtual long RegEnumKeyA(Hkey key, Dword index, char* name, Dword nameSize) = 0;
    virtual long RegEnumValueA(Hkey key, Dword index, char* name, Dword* nameSize, Dword* type,
                               std::uint8_t* data, Dword* dataSize) = 0;
    // Asks for the number of subkeys only.
    virtual long RegQueryInfoKeyA(Hkey key, Dword* subKeys) = 0;
    virtual long RegDisableReflectionKey(Hkey key) = 0;
    virtual long RegEnableReflectionKey(Hkey key) = 0;

    // WOW64. Redirection belongs to the calling thread.
    virtual Address GetModuleHandleA(const std::string& module) = 0;
    virtual Address GetProcAddress(Address module, const std::string& name) = 0;
    virtual Dword GetSystemWow64DirectoryA(std::string& path, Dword bufferSize) = 0;
    virtual bool Wow64DisableWow64FsRedirection(std::uintptr_t& oldValue) = 0;
    virtual bool Wow64RevertWow64FsRedirection(std::uintptr_t oldValue) = 0;

    // Processes and time. The process starts with no application name, no inherited handles,
    // no creation flags, the caller's environment and directory, shown as `showCommand` asks.
    virtual bool CreateProcessA(const std::string& commandLine, int showCommand,
                                ProcessInformation& started) = 0;
    virtual Dword WaitForSingleObject(Handle object, Dword milliseconds) = 0;
    virtual Dword GetTickCount() = 0;

    // Shell. The result is greater than 32 on success, as the Win32 HINSTANCE value.
    virtual std::intptr_t ShellExecuteA(const std::string& verb, const std::string& file,
                                        const std::string& parameters, const std::string& directory,
                                        int showCommand) = 0;
};

// Win32's values for the arguments and results above. Spelled differently from the Win32 macros
// so that both can be in scope in the real implementation.
namespace win {
constexpr Handle kInvalidHandle = ~Handle(0);

constexpr Dword kGenericRead = 0x80000000u;
constexpr Dword kGenericWrite = 0x40000000u;
constexpr Dword kFileShareRead = 1, kFileShareWrite = 2, kFileShareDelete = 4;
constexpr Dword kCreateNew = 1, kCreateAlways = 2, kOpenExisting = 3, kOpenAlways = 4,
                kTruncateExisting = 5;

constexpr Dword kAttributeReadOnly = 0x01, kAttributeHidden = 0x02, kAttributeSystem = 0x04,
                kAttributeDirectory = 0x10, kAttributeArchive = 0x20, kAttributeNormal = 0x80;
constexpr Dword kInvalidFileAttributes = 0xFFFFFFFFu;

constexpr Dword kErrorFileNotFound = 2, kErrorPathNotFound = 3, kErrorAccessDenied = 5,
                kErrorInvalidHandle = 6, kErrorSharingViolation = 32, kErrorInvalidParameter = 87,
                kErrorDirNotEmpty = 145, kErrorAlreadyExists = 183, kErrorNoMoreFiles = 18,
                kErrorDirectory = 267, kErrorFileExists = 80;

constexpr int kCsidlPersonal = 5;  // the user's documents folder
constexpr int kSwHide = 0, kSwShowNormal = 1;
constexpr Dword kInfinite = 0xFFFFFFFFu, kWaitObject0 = 0;

constexpr Hkey kHkeyClassesRoot = 0x80000000u, kHkeyCurrentUser = 0x80000001u,
               kHkeyLocalMachine = 0x80000002u, kHkeyUsers = 0x80000003u,
               kHkeyCurrentConfig = 0x80000005u;
constexpr Dword kKeyQueryValue = 0x0001, kKeySetValue = 0x0002, kKeyCreateSubKey = 0x0004,
                kKeyEnumerateSubKeys = 0x0008, kKeyWow64_64Key = 0x0100,
                kKeyWow64_32Key = 0x0200, kKeyAllAccess = 0xF003F;
constexpr Dword kRegNone = 0, kRegSz = 1, kRegExpandSz = 2, kRegBinary = 3, kRegDword = 4,
                kRegMultiSz = 7;
constexpr long kErrorSuccess = 0, kErrorMoreData = 234, kErrorNoMoreItems = 259;
constexpr Dword kCodePageOem = 1;  // CP_OEMCP

constexpr Dword kCodePageAnsi = 0;  // CP_ACP
constexpr Dword kCodePageUtf8 = 65001;
constexpr Dword kMaxPath = 260;
}  // namespace win

// The one installed system port. main installs the real one; tests install a simulated one.
Os& os();
void installOs(Os* port);
