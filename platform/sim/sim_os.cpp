#include "platform/sim/sim_os.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <system_error>

#include "platform/sim/sim_codepage.h"

namespace fs = std::filesystem;

namespace {
thread_local Dword lastError = 0;

std::string utf8(const std::u16string& wide) {
    std::string text;
    fromUtf16(win::kCodePageUtf8, wide, text);
    return text;
}

std::u16string utf16(const std::string& text) {
    std::u16string wide;
    toUtf16(win::kCodePageUtf8, text, wide);
    return wide;
}

bool isDirectory(const fs::path& path) {
    std::error_code error;
    return fs::is_directory(path, error);
}

bool hostEntryExists(const fs::path& path) {
    std::error_code error;
    return fs::exists(fs::symlink_status(path, error));
}

bool parentIsDirectory(const fs::path& path) { return isDirectory(path.parent_path()); }

std::u16string parentKey(const std::u16string& key) {
    return key.substr(0, std::max<std::size_t>(key.rfind(u'\\'), 3));
}

constexpr Dword kErrorInvalidFunction = 1, kErrorCallNotImplemented = 120,
                kErrorModNotFound = 126, kErrorProcNotFound = 127;
constexpr Dword kWaitFailed = 0xFFFFFFFFu;

// The modules a test may ask for, at made-up addresses, and the routines whose presence tells
// the program which Windows it runs on. The addresses are only for comparing, never for calling.
struct Module {
    const char* name;
    Address address;
    std::vector<const char*> wow64Routines;
};
const std::vector<Module>& modules() {
    static const std::vector<Module> known = {
        {"kernel32", 0x76000000,
         {"GetSystemWow64DirectoryA", "Wow64DisableWow64FsRedirection",
          "Wow64RevertWow64FsRedirection", "IsWow64Process"}},
        {"advapi32", 0x75000000, {"RegDisableReflectionKey", "RegEnableReflectionKey"}},
        {"ntdll", 0x77000000, {}},
        {"user32", 0x74000000, {}},
        {"shell32", 0x73000000, {}},
    };
    return known;
}

bool sameModuleName(std::string asked, const char* name) {
    for (char& c : asked) c = char(std::tolower(static_cast<unsigned char>(c)));
    return asked == name || asked == std::string(name) + ".dll";
}
}  // namespace

SimOs::SimOs(fs::path hostRoot) : root_(std::move(hostRoot)) {
    fs::create_directories(root_ / "c");
    moduleFileName_ = "C:\\Vantrel\\Vantrel.exe";
}

SimOs::~SimOs() {
    for (auto& [handle, file] : files_) ::close(file.descriptor);
}

// --- What the test sets up ------------------------------------------------------------------

void SimOs::setModuleFileName(const std::string& path) { moduleFileName_ = path; }

void SimOs::setSpecialFolder(int csidl, std::optional<std::string> path) {
    specialFolders_[csidl] = std::move(path);
}

void SimOs::setTempPath(std::optional<std::string> path) { tempPath_ = std::move(path); }

void SimOs::setAnsiCodePage(Dword codePage) { ansiCodePage_ = codePage; }

void SimOs::denyCreatingIn(const std::string& folder) {
    if (const auto path = parse(folder)) deniedFolders_.insert(locate(*path).key);
}

fs::path SimOs::hostPath(const std::string& path) {
    const auto parsed = parse(path);
    return parsed ? locate(*parsed).host : fs::path();
}

std::vector<SimOs::ShellOpen> SimOs::shellOpens() const {
    std::lock_guard lock(mutex_);
    return shellOpens_;
}

// --- Helpers ---------------------------------------------------------------------------------

bool SimOs::fail(Dword error) {
    lastError = error;
    return false;
}

Handle SimOs::failHandle(Dword error) {
    lastError = error;
    return win::kInvalidHandle;
}

std::optional<WindowsPath> SimOs::parse(const std::string& path) {
    std::u16string wide;
    if (!toUtf16(ansiCodePage_, path, wide)) return std::nullopt;
    return resolveWindowsPath(wide, currentDirectory_);
}

SimOs::Located SimOs::locate(const WindowsPath& path) {
    Located located;
    located.host = root_ / std::string(1, char(path.drive - u'A' + 'a'));
    for (const std::u16string& part : path.parts) {
        std::string name = utf8(part);
        if (isDirectory(located.host)) {
            std::error_code error;
            for (const auto& entry : fs::directory_iterator(located.host, error)) {
                const std::string candidate = entry.path().filename().string();
                if (foldCase(utf16(candidate)) == foldCase(part)) {
                    name = candidate;
                    break;
                }
            }
        }
        located.host /= name;
    }
    located.key = foldCase(toText(path));
    return located;
}

std::string SimOs::ansiText(const std::u16string& wide) {
    std::string text;
    fromUtf16(ansiCodePage_, wide, text);
    return text;
}

Dword SimOs::storedAttributes(const std::u16string& key) const {
    const auto found = attributes_.find(key);
    return found == attributes_.end() ? 0 : found->second;
}

bool SimOs::sharingAllows(const std::u16string& key, Dword access, Dword shareMode) const {
    for (const auto& [handle, open] : files_) {
        if (open.key != key) continue;
        const bool wantsRead = access & win::kGenericRead, wantsWrite = access & win::kGenericWrite;
        const bool hasRead = open.access & win::kGenericRead,
                   hasWrite = open.access & win::kGenericWrite;
        if ((wantsRead && !(open.shareMode & win::kFileShareRead)) ||
            (wantsWrite && !(open.shareMode & win::kFileShareWrite)) ||
            (hasRead && !(shareMode & win::kFileShareRead)) ||
            (hasWrite && !(shareMode & win::kFileShareWrite))) {
            return false;
        }
    }
    return true;
}

bool SimOs::creatingDenied(const Located& entry) const {
    return deniedFolders_.count(parentKey(entry.key)) > 0;
}

std::optional<SimOs::Located> SimOs::locateEntry(const std::string& path) {
    const auto parsed = parse(path);
    if (!parsed || parsed->parts.empty()) return std::nullopt;  // nothing, or a drive's root
    return locate(*parsed);
}

// --- Module, process, folders ----------------------------------------------------------------

Dword SimOs::GetModuleFileNameA(std::string& path) {
    path = moduleFileName_;
    return static_cast<Dword>(path.size());
}

bool SimOs::SetCurrentDirectoryA(const std::string& path) {
    std::lock_guard lock(mutex_);
    const auto parsed = parse(path);
    if (!parsed) return fail(win::kErrorPathNotFound);
    const Located located = locate(*parsed);
    if (!isDirectory(located.host)) {
        return fail(hostEntryExists(located.host) ? win::kErrorInvalidParameter : win::kErrorFileNotFound);
    }
    currentDirectory_ = *parsed;
    return true;
}

Dword SimOs::GetCurrentDirectoryA(std::string& path) {
    std::lock_guard lock(mutex_);
    path = ansiText(toText(currentDirectory_));
    return static_cast<Dword>(path.size());
}

Dword SimOs::GetLastError() { return lastError; }

bool SimOs::SHGetSpecialFolderPathA(std::string& path, int csidl, bool) {
    const auto found = specialFolders_.find(csidl);
    if (found == specialFolders_.end() || !found->second) return fail(win::kErrorFileNotFound);
    path = *found->second;
    return true;
}

Dword SimOs::GetTempPathA(Dword bufferLength, std::string& path) {
    if (!tempPath_) return fail(win::kErrorPathNotFound), 0;
    const Dword length = static_cast<Dword>(tempPath_->size());
    if (length + 1 > bufferLength) return length + 1;
    path = *tempPath_;
    return length;
}

// --- Files -----------------------------------------------------------------------------------

Handle SimOs::FindFirstFileA(const std::string& pattern, FindData& found) {
    std::lock_guard lock(mutex_);
    auto parsed = parse(pattern);
    if (!parsed || parsed->parts.empty()) return failHandle(win::kErrorFileNotFound);
    const std::u16string namePattern = parsed->parts.back();
    parsed->parts.pop_back();
    const Located folder = locate(*parsed);
    if (!isDirectory(folder.host)) return failHandle(win::kErrorPathNotFound);

    Search search;
    // Below a drive's root a folder lists itself and its parent, as "." and "..".
    if (!parsed->parts.empty()) {
        for (const std::u16string dots : {u".", u".."}) {
            if (wildcardMatch(namePattern, dots)) {
                search.entries.push_back({win::kAttributeDirectory, ansiText(dots)});
            }
        }
    }
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder.host, error)) {
        const std::u16string name = utf16(entry.path().filename().string());
        if (!wildcardMatch(namePattern, name)) continue;
        WindowsPath full = *parsed;
        full.parts.push_back(name);
        FindData data;
        data.fileName = ansiText(name);
        data.attributes = GetFileAttributesA(ansiText(toText(full)));
        search.entries.push_back(data);
    }
    if (search.entries.empty()) return failHandle(win::kErrorFileNotFound);
    std::sort(search.entries.begin(), search.entries.end(),
              [](const FindData& a, const FindData& b) { return a.fileName < b.fileName; });
    found = search.entries[0];
    search.next = 1;
    const Handle handle = nextHandle_ += 4;
    searches_[handle] = std::move(search);
    return handle;
}

bool SimOs::FindNextFileA(Handle handle, FindData& found) {
    std::lock_guard lock(mutex_);
    const auto search = searches_.find(handle);
    if (search == searches_.end()) return fail(win::kErrorInvalidHandle);
    if (search->second.next >= search->second.entries.size()) return fail(win::kErrorNoMoreFiles);
    found = search->second.entries[search->second.next++];
    return true;
}

bool SimOs::FindClose(Handle handle) {
    std::lock_guard lock(mutex_);
    return searches_.erase(handle) > 0 || fail(win::kErrorInvalidHandle);
}

Handle SimOs::CreateFileA(const std::string& path, Dword access, Dword shareMode,
                          Dword disposition, Dword attributes) {
    std::lock_guard lock(mutex_);
    const auto entry = locateEntry(path);
    if (!entry) return failHandle(win::kErrorPathNotFound);
    const Located& located = *entry;
    if (!parentIsDirectory(located.host)) return failHandle(win::kErrorPathNotFound);
    if (isDirectory(located.host)) return failHandle(win::kErrorAccessDenied);

    const bool present = hostEntryExists(located.host);
    const Dword stored = storedAttributes(located.key);
    if (!present && (disposition == win::kOpenExisting || disposition == win::kTruncateExisting)) {
        return failHandle(win::kErrorFileNotFound);
    }
    if (present && disposition == win::kCreateNew) return failHandle(win::kErrorFileExists);
    if (!present && creatingDenied(located)) return failHandle(win::kErrorAccessDenied);
    if (present && (stored & win::kAttributeReadOnly) && (access & win::kGenericWrite)) {
        return failHandle(win::kErrorAccessDenied);
    }
    // Creating anew over a hidden or system file must keep those attributes, or Windows refuses.
    const Dword guarded = stored & (win::kAttributeHidden | win::kAttributeSystem);
    if (present && disposition == win::kCreateAlways && (attributes & guarded) != guarded) {
        return failHandle(win::kErrorAccessDenied);
    }
    if (!sharingAllows(located.key, access, shareMode)) {
        return failHandle(win::kErrorSharingViolation);
    }

    int flags = O_CLOEXEC | ((access & win::kGenericWrite) ? O_RDWR : O_RDONLY);
    if (!present) flags |= O_CREAT;
    if (present && (disposition == win::kCreateAlways || disposition == win::kTruncateExisting)) {
        flags |= O_TRUNC;
    }
    const int descriptor = ::open(located.host.c_str(), flags, 0644);
    if (descriptor < 0) return failHandle(win::kErrorAccessDenied);
    if (!present) {
        attributes_[located.key] =
            attributes & (win::kAttributeReadOnly | win::kAttributeHidden | win::kAttributeSystem);
    }
    const Handle handle = nextHandle_ += 4;
    files_[handle] = OpenFile{descriptor, located.key, access, shareMode};
    // Opening an existing file with a disposition that may create one says so.
    const bool mayCreate = disposition == win::kCreateAlways || disposition == win::kOpenAlways;
    lastError = present && mayCreate ? win::kErrorAlreadyExists : 0;
    return handle;
}

bool SimOs::ReadFile(Handle handle, void* buffer, Dword toRead, Dword& read) {
    std::lock_guard lock(mutex_);
    read = 0;
    const auto file = files_.find(handle);
    if (file == files_.end()) return fail(win::kErrorInvalidHandle);
    if (!(file->second.access & win::kGenericRead)) return fail(win::kErrorAccessDenied);
    const ssize_t count = ::read(file->second.descriptor, buffer, toRead);
    if (count < 0) return fail(win::kErrorAccessDenied);
    read = static_cast<Dword>(count);
    return true;
}

bool SimOs::WriteFile(Handle handle, const void* data, Dword toWrite, Dword& written) {
    std::lock_guard lock(mutex_);
    written = 0;
    const auto file = files_.find(handle);
    if (file == files_.end()) return fail(win::kErrorInvalidHandle);
    if (!(file->second.access & win::kGenericWrite)) return fail(win::kErrorAccessDenied);
    const ssize_t count = ::write(file->second.descriptor, data, toWrite);
    if (count < 0) return fail(win::kErrorAccessDenied);
    written = static_cast<Dword>(count);
    return true;
}

bool SimOs::CloseHandle(Handle handle) {
    std::lock_guard lock(mutex_);
    if (processHandles_.erase(handle)) return true;
    const auto file = files_.find(handle);
    if (file == files_.end()) return fail(win::kErrorInvalidHandle);
    ::close(file->second.descriptor);
    files_.erase(file);
    return true;
}

bool SimOs::DeleteFileA(const std::string& path) {
    std::lock_guard lock(mutex_);
    const auto entry = locateEntry(path);
    if (!entry) return fail(win::kErrorPathNotFound);
    const Located& located = *entry;
    if (!parentIsDirectory(located.host)) return fail(win::kErrorPathNotFound);
    if (!hostEntryExists(located.host)) return fail(win::kErrorFileNotFound);
    if (isDirectory(located.host)) return fail(win::kErrorAccessDenied);
    if (storedAttributes(located.key) & win::kAttributeReadOnly) return fail(win::kErrorAccessDenied);
    for (const auto& [handle, open] : files_) {
        if (open.key == located.key && !(open.shareMode & win::kFileShareDelete)) {
            return fail(win::kErrorSharingViolation);
        }
    }
    std::error_code error;
    if (!fs::remove(located.host, error)) return fail(win::kErrorAccessDenied);
    attributes_.erase(located.key);
    return true;
}

bool SimOs::CreateDirectoryA(const std::string& path) {
    std::lock_guard lock(mutex_);
    const auto entry = locateEntry(path);
    if (!entry) return fail(win::kErrorPathNotFound);
    const Located& located = *entry;
    if (hostEntryExists(located.host)) return fail(win::kErrorAlreadyExists);
    if (!parentIsDirectory(located.host)) return fail(win::kErrorPathNotFound);
    if (creatingDenied(located)) return fail(win::kErrorAccessDenied);
    std::error_code error;
    if (!fs::create_directory(located.host, error)) return fail(win::kErrorAccessDenied);
    return true;
}

bool SimOs::RemoveDirectoryA(const std::string& path) {
    std::lock_guard lock(mutex_);
    const auto entry = locateEntry(path);
    if (!entry) return fail(win::kErrorPathNotFound);
    const Located& located = *entry;
    if (!hostEntryExists(located.host)) return fail(win::kErrorFileNotFound);
    if (!isDirectory(located.host)) return fail(win::kErrorDirectory);
    std::error_code error;
    if (!fs::is_empty(located.host, error)) return fail(win::kErrorDirNotEmpty);
    if (storedAttributes(located.key) & win::kAttributeReadOnly) return fail(win::kErrorAccessDenied);
    fs::remove(located.host, error);
    attributes_.erase(located.key);
    deniedFolders_.erase(located.key);
    return true;
}

Dword SimOs::GetFileAttributesA(const std::string& path) {
    std::lock_guard lock(mutex_);
    const auto parsed = parse(path);
    if (!parsed) return fail(win::kErrorPathNotFound), win::kInvalidFileAttributes;
    const Located located = locate(*parsed);
    if (!hostEntryExists(located.host)) {
        fail(parentIsDirectory(located.host) ? win::kErrorFileNotFound : win::kErrorPathNotFound);
        return win::kInvalidFileAttributes;
    }
    const Dword stored = storedAttributes(located.key);
    if (isDirectory(located.host)) return win::kAttributeDirectory | stored;
    return stored ? stored | win::kAttributeArchive : win::kAttributeArchive;
}

bool SimOs::SetFileAttributesA(const std::string& path, Dword attributes) {
    std::lock_guard lock(mutex_);
    const auto parsed = parse(path);
    if (!parsed) return fail(win::kErrorPathNotFound);
    const Located located = locate(*parsed);
    if (!hostEntryExists(located.host)) {
        return fail(parentIsDirectory(located.host) ? win::kErrorFileNotFound
                                                    : win::kErrorPathNotFound);
    }
    attributes_[located.key] =
        attributes & (win::kAttributeReadOnly | win::kAttributeHidden | win::kAttributeSystem);
    return true;
}

// --- Code pages and shell --------------------------------------------------------------------

// On a Chinese Windows the OEM code page is the ANSI one, 936.
Dword SimOs::systemCodePage(Dword codePage) const {
    return codePage == win::kCodePageAnsi || codePage == win::kCodePageOem ? ansiCodePage_ : codePage;
}

int SimOs::MultiByteToWideChar(Dword codePage, const std::string& text, std::u16string& wide) {
    if (!toUtf16(systemCodePage(codePage), text, wide)) {
        return fail(win::kErrorInvalidParameter);
    }
    return wide.empty() ? fail(win::kErrorInvalidParameter) : static_cast<int>(wide.size());
}

int SimOs::WideCharToMultiByte(Dword codePage, const std::u16string& wide, std::string& text) {
    if (!fromUtf16(systemCodePage(codePage), wide, text)) {
        return fail(win::kErrorInvalidParameter);
    }
    return text.empty() ? fail(win::kErrorInvalidParameter) : static_cast<int>(text.size());
}

std::intptr_t SimOs::ShellExecuteA(const std::string& verb, const std::string& file,
                                   const std::string& parameters, const std::string& directory,
                                   int showCommand) {
    std::string current;
    GetCurrentDirectoryA(current);
    std::lock_guard lock(mutex_);
    shellOpens_.push_back({verb, file, parameters, directory, showCommand, current});
    return 42;
}

// --- Registry, WOW64, processes and time: what the test sets up ------------------------------

void SimOs::setWindows64(bool windows64) {
    std::lock_guard lock(mutex_);
    registry_.setWindows64(windows64);
}

void SimOs::setWow64RoutinesExported(bool exported) {
    std::lock_guard lock(mutex_);
    wow64Exported_ = exported;
}

void SimOs::setRegistryValue(Hkey root, const std::string& path, const std::string& name,
                             Dword type, std::vector<std::uint8_t> data, RegView view) {
    std::lock_guard lock(mutex_);
    registry_.setValueAt(root, path, name, RegValue{type, std::move(data)}, view);
}

void SimOs::setRegistryString(Hkey root, const std::string& path, const std::string& name,
                              const std::string& text, RegView view) {
    std::vector<std::uint8_t> data(text.begin(), text.end());
    data.push_back(0);
    setRegistryValue(root, path, name, win::kRegSz, std::move(data), view);
}

void SimOs::setRegistryDword(Hkey root, const std::string& path, const std::string& name,
                             Dword value, RegView view) {
    std::vector<std::uint8_t> data(sizeof value);
    std::memcpy(data.data(), &value, sizeof value);  // little-endian, as on x86
    setRegistryValue(root, path, name, win::kRegDword, std::move(data), view);
}

std::optional<RegValue> SimOs::registryValue(Hkey root, const std::string& path,
                                             const std::string& name, RegView view) const {
    std::lock_guard lock(mutex_);
    return registry_.valueAt(root, path, name, view);
}

bool SimOs::registryKeyExists(Hkey root, const std::string& path, RegView view) const {
    std::lock_guard lock(mutex_);
    return registry_.keyExistsAt(root, path, view);
}

void SimOs::createRegistryKey(Hkey root, const std::string& path, RegView view) {
    std::lock_guard lock(mutex_);
    registry_.createKeyAt(root, path, view);
}

void SimOs::deleteRegistryKey(Hkey root, const std::string& path, RegView view) {
    std::lock_guard lock(mutex_);
    registry_.deleteTreeAt(root, path, view);
}

bool SimOs::reflectionDisabled(Hkey root, const std::string& path, RegView view) const {
    std::lock_guard lock(mutex_);
    return registry_.reflectionDisabledAt(root, path, view);
}

std::size_t SimOs::openRegistryKeys() const {
    std::lock_guard lock(mutex_);
    return registry_.openHandles();
}

bool SimOs::redirectionOffOnThisThread() const {
    std::lock_guard lock(mutex_);
    const auto found = redirection_.find(std::this_thread::get_id());
    return found != redirection_.end() && found->second.value != 0;
}

int SimOs::openRedirectionBrackets() const {
    std::lock_guard lock(mutex_);
    int open = 0;
    for (const auto& [thread, state] : redirection_) open += state.open;
    return open;
}

void SimOs::failNextRedirection() {
    std::lock_guard lock(mutex_);
    failNextRedirection_ = true;
}

void SimOs::failRedirection(bool always) {
    std::lock_guard lock(mutex_);
    failRedirection_ = always;
}

std::vector<SimOs::Call> SimOs::callLog() const {
    std::lock_guard lock(mutex_);
    return calls_;
}

void SimOs::clearCallLog() {
    std::lock_guard lock(mutex_);
    calls_.clear();
}

std::vector<SimOs::ProcessStart> SimOs::processStarts() const {
    std::lock_guard lock(mutex_);
    return processStarts_;
}

void SimOs::setProcessStartHook(std::function<bool(const std::string& commandLine)> hook) {
    std::lock_guard lock(mutex_);
    processStartHook_ = std::move(hook);
}

std::size_t SimOs::openProcessHandles() const {
    std::lock_guard lock(mutex_);
    return processHandles_.size();
}

void SimOs::setTickCount(Dword ticks) {
    std::lock_guard lock(mutex_);
    tickCount_ = ticks;
}

void SimOs::log(const char* function, std::string key, std::string name, RegView view) {
    calls_.push_back({function, std::move(key), std::move(name), view});
}

// --- Registry --------------------------------------------------------------------------------

long SimOs::RegOpenKeyA(Hkey key, const std::string& subKey, Hkey& opened) {
    std::lock_guard lock(mutex_);
    log("RegOpenKeyA", registry_.describe(key, subKey), "", registry_.viewOf(key));
    return registry_.openKey(key, subKey, win::kKeyAllAccess, true, opened);  // all it may have
}

long SimOs::RegOpenKeyExA(Hkey key, const std::string& subKey, Dword, Dword access,
                          Hkey& opened) {
    std::lock_guard lock(mutex_);
    log("RegOpenKeyExA", registry_.describe(key, subKey), "", registry_.viewOf(key, access));
    return registry_.openKey(key, subKey, access, false, opened);
}

long SimOs::RegCreateKeyA(Hkey key, const std::string& subKey, Hkey& created) {
    std::lock_guard lock(mutex_);
    log("RegCreateKeyA", registry_.describe(key, subKey), "", registry_.viewOf(key));
    return registry_.createKey(key, subKey, created);
}

long SimOs::RegCloseKey(Hkey key) {
    std::lock_guard lock(mutex_);
    log("RegCloseKey", registry_.describe(key), "", registry_.viewOf(key));
    return registry_.closeKey(key);
}

long SimOs::RegQueryValueExA(Hkey key, const std::string& valueName, Dword* type,
                             std::uint8_t* data, Dword* size) {
    std::lock_guard lock(mutex_);
    log("RegQueryValueExA", registry_.describe(key), valueName, registry_.viewOf(key));
    return registry_.queryValue(key, valueName, type, data, size);
}

long SimOs::RegSetValueExA(Hkey key, const std::string& valueName, Dword type,
                           const std::uint8_t* data, Dword size) {
    std::lock_guard lock(mutex_);
    log("RegSetValueExA", registry_.describe(key), valueName, registry_.viewOf(key));
    return registry_.setValue(key, valueName, type, data, size);
}

long SimOs::RegDeleteKeyA(Hkey key, const std::string& subKey) {
    std::lock_guard lock(mutex_);
    log("RegDeleteKeyA", registry_.describe(key, subKey), "", registry_.viewOf(key));
    return registry_.deleteKey(key, subKey);
}

long SimOs::RegDeleteValueA(Hkey key, const std::string& valueName) {
    std::lock_guard lock(mutex_);
    log("RegDeleteValueA", registry_.describe(key), valueName, registry_.viewOf(key));
    return registry_.deleteValue(key, valueName);
}

long SimOs::RegEnumKeyA(Hkey key, Dword index, char* name, Dword nameSize) {
    std::lock_guard lock(mutex_);
    log("RegEnumKeyA", registry_.describe(key), "", registry_.viewOf(key));
    return registry_.enumKey(key, index, name, nameSize);
}

long SimOs::RegEnumValueA(Hkey key, Dword index, char* name, Dword* nameSize, Dword* type,
                          std::uint8_t* data, Dword* dataSize) {
    std::lock_guard lock(mutex_);
    log("RegEnumValueA", registry_.describe(key), "", registry_.viewOf(key));
    return registry_.enumValue(key, index, name, nameSize, type, data, dataSize);
}

long SimOs::RegQueryInfoKeyA(Hkey key, Dword* subKeys) {
    std::lock_guard lock(mutex_);
    log("RegQueryInfoKeyA", registry_.describe(key), "", registry_.viewOf(key));
    return registry_.queryInfoKey(key, subKeys);
}

long SimOs::RegDisableReflectionKey(Hkey key) {
    std::lock_guard lock(mutex_);
    log("RegDisableReflectionKey", registry_.describe(key), "", registry_.viewOf(key));
    return registry_.setReflection(key, false);
}

long SimOs::RegEnableReflectionKey(Hkey key) {
    std::lock_guard lock(mutex_);
    log("RegEnableReflectionKey", registry_.describe(key), "", registry_.viewOf(key));
    return registry_.setReflection(key, true);
}

// --- WOW64 -----------------------------------------------------------------------------------

Address SimOs::GetModuleHandleA(const std::string& module) {
    std::lock_guard lock(mutex_);
    log("GetModuleHandleA", "", module);
    for (const Module& known : modules()) {
        if (sameModuleName(module, known.name)) return known.address;
    }
    lastError = kErrorModNotFound;
    return 0;
}

Address SimOs::GetProcAddress(Address module, const std::string& name) {
    std::lock_guard lock(mutex_);
    log("GetProcAddress", "", name);
    for (const Module& known : modules()) {
        if (known.address != module) continue;
        const bool present = registry_.windows64() || wow64Exported_;
        for (std::size_t i = 0; present && i < known.wow64Routines.size(); ++i) {
            if (name == known.wow64Routines[i]) return module + 0x1000 + 0x10 * i;
        }
    }
    lastError = kErrorProcNotFound;
    return 0;
}

// The WOW64 routines exist on 64-bit Windows and, since XP SP2, on 32-bit Windows too.
bool SimOs::wow64Callable(const char* function) {
    log(function, "");
    if (registry_.windows64() || wow64Exported_) return true;
    lastError = kErrorProcNotFound;
    return false;
}

Dword SimOs::GetSystemWow64DirectoryA(std::string& path, Dword bufferSize) {
    std::lock_guard lock(mutex_);
    if (!wow64Callable("GetSystemWow64DirectoryA")) return 0;
    if (!registry_.windows64()) return fail(kErrorCallNotImplemented), 0;
    const std::string directory = "C:\\Windows\\SysWOW64";
    const Dword length = Dword(directory.size());
    if (bufferSize <= length) return length + 1;  // the size needed, its zero included
    path = directory;
    return length;
}

bool SimOs::Wow64DisableWow64FsRedirection(std::uintptr_t& oldValue) {
    std::lock_guard lock(mutex_);
    oldValue = 0;
    if (!wow64Callable("Wow64DisableWow64FsRedirection")) return false;
    if (!registry_.windows64()) return fail(kErrorInvalidFunction);
    const bool refused = failRedirection_ || failNextRedirection_;
    failNextRedirection_ = false;
    if (refused) return fail(kErrorInvalidFunction);
    Redirection& state = redirection_[std::this_thread::get_id()];
    oldValue = state.value;
    state.value = 1;
    ++state.open;
    return true;
}

bool SimOs::Wow64RevertWow64FsRedirection(std::uintptr_t oldValue) {
    std::lock_guard lock(mutex_);
    if (!wow64Callable("Wow64RevertWow64FsRedirection")) return false;
    if (!registry_.windows64()) return fail(kErrorInvalidFunction);
    Redirection& state = redirection_[std::this_thread::get_id()];
    state.value = oldValue;
    if (state.open > 0) --state.open;
    return true;
}

// --- Processes and time ----------------------------------------------------------------------

bool SimOs::CreateProcessA(const std::string& commandLine, int showCommand,
                           ProcessInformation& started) {
    started = ProcessInformation();
    ProcessStart start{commandLine, showCommand, redirectionOffOnThisThread(), false};
    std::function<bool(const std::string&)> hook;
    {
        std::lock_guard lock(mutex_);
        hook = processStartHook_;
    }
    // The hook runs unlocked: it may look at the simulated Windows, from any thread.
    start.started = !hook || hook(commandLine);
    std::lock_guard lock(mutex_);
    processStarts_.push_back(start);
    if (!start.started) return fail(win::kErrorFileNotFound);
    started.process = nextHandle_ += 4;
    started.thread = nextHandle_ += 4;
    started.processId = nextProcessId_ += 4;
    started.threadId = nextProcessId_ += 4;
    processHandles_.insert(started.process);
    processHandles_.insert(started.thread);
    return true;
}

Dword SimOs::WaitForSingleObject(Handle object, Dword) {
    std::lock_guard lock(mutex_);
    if (!processHandles_.count(object)) return fail(win::kErrorInvalidHandle), kWaitFailed;
    return win::kWaitObject0;  // the started process has ended
}

Dword SimOs::GetTickCount() {
    std::lock_guard lock(mutex_);
    return tickCount_;
}
