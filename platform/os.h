// The system port: the Win32 functions the program calls, one method each, with the Win32 name,
// argument order and result conventions, declared with small types of our own. No platform
// header is included here; the real implementation forwards one-to-one, the simulated one
// models Windows' behaviour for tests.
#pragma once

#include <cstdint>
#include <string>

using Dword = std::uint32_t;
using Handle = std::uintptr_t;  // a kernel object handle, as the Win32 HANDLE value

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
constexpr int kSwShowNormal = 1;

constexpr Dword kCodePageAnsi = 0;  // CP_ACP
constexpr Dword kCodePageUtf8 = 65001;
constexpr Dword kMaxPath = 260;
}  // namespace win

// The one installed system port. main installs the real one; tests install a simulated one.
Os& os();
void installOs(Os* port);
