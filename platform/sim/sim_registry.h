// The simulated registry: the five root keys, key trees and typed values, with the names and
// results of the Win32 registry functions. Names are held in UTF-16, as Windows holds them, so a
// double-byte character whose second byte is a backslash or a letter stays one character.
// On 64-bit Windows a 32-bit process's default view of HKLM\SOFTWARE is HKLM\SOFTWARE\WOW6432Node;
// every other key is the same in both views. Not synchronised: its owner holds the lock.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/os.h"

// The view a key is reached in. Default is the process's own: for a 32-bit process on 64-bit
// Windows, the 32-bit view. The other two are what KEY_WOW64_32KEY and KEY_WOW64_64KEY ask for.
// 32-bit Windows has one view, whatever is asked.
enum class RegView { Default, Wow64_32, Wow64_64 };

struct RegValue {
    Dword type = win::kRegNone;
    std::vector<std::uint8_t> data;
};

class SimRegistry {
public:
    // Names are converted with the owner's ANSI code page, read at each call.
    explicit SimRegistry(const Dword& ansiCodePage, Handle& nextHandle);
    ~SimRegistry();

    // 64-bit Windows has HKLM\SOFTWARE\WOW6432Node; 32-bit Windows has not. Set it up first.
    void setWindows64(bool windows64);
    bool windows64() const { return windows64_; }

    // The Win32 functions. RegOpenKeyA and RegCreateKeyA give back the handle passed in for an
    // empty subkey (RegCreateKeyA only on a root key); RegOpenKeyExA opens a new one.
    long openKey(Hkey key, const std::string& subKey, Dword access, bool sameHandleForEmpty,
                 Hkey& opened);
    long createKey(Hkey key, const std::string& subKey, Hkey& created);
    long closeKey(Hkey key);
    long queryValue(Hkey key, const std::string& name, Dword* type, std::uint8_t* data,
                    Dword* size);
    long setValue(Hkey key, const std::string& name, Dword type, const std::uint8_t* data,
                  Dword size);
    long deleteKey(Hkey key, const std::string& subKey);
    long deleteValue(Hkey key, const std::string& name);
    long enumKey(Hkey key, Dword index, char* name, Dword nameSize);
    long enumValue(Hkey key, Dword index, char* name, Dword* nameSize, Dword* type,
                   std::uint8_t* data, Dword* dataSize);
    long queryInfoKey(Hkey key, Dword* subKeys);
    long setReflection(Hkey key, bool enabled);

    // The key path a call names, as the caller spelled it ("HKLM\SOFTWARE\X"), and the view it
    // works in. "<invalid>" for a handle that is not open.
    std::string describe(Hkey key, const std::string& subKey = std::string()) const;
    RegView viewOf(Hkey key, Dword access = 0) const;

    // For a test to set up and look at the registry from outside, by root key and path.
    void setValueAt(Hkey root, const std::string& path, const std::string& name, RegValue value,
                    RegView view);
    std::optional<RegValue> valueAt(Hkey root, const std::string& path, const std::string& name,
                                    RegView view) const;
    bool keyExistsAt(Hkey root, const std::string& path, RegView view) const;
    void createKeyAt(Hkey root, const std::string& path, RegView view);
    void deleteTreeAt(Hkey root, const std::string& path, RegView view);  // with its subkeys
    bool reflectionDisabledAt(Hkey root, const std::string& path, RegView view) const;
    std::size_t openHandles() const { return handles_.size(); }

private:
    struct Key;
    struct OpenKey {
        std::shared_ptr<Key> key;
        RegView view = RegView::Default;
        std::string named;  // the path as the caller spelled it
        Dword access = win::kKeyAllAccess;  // what the handle may do
    };

    std::u16string wide(const std::string& text) const;
    std::string ansi(const std::u16string& text) const;
    const OpenKey* handle(Hkey key) const;
    long find(const OpenKey& from, const std::string& subKey, RegView view, bool create,
              std::shared_ptr<Key>& found) const;
    std::shared_ptr<Key> findAt(Hkey root, const std::string& path, RegView view,
                                bool create) const;
    Hkey newHandle(std::shared_ptr<Key> key, RegView view, std::string named, Dword access);
    // The open handle when it carries the right, else the Win32 error in `error`.
    const OpenKey* handleWith(Hkey key, Dword right, long& error) const;

    const Dword& ansiCodePage_;
    Handle& nextHandle_;
    bool windows64_ = true;
    std::map<Hkey, OpenKey> roots_;
    std::map<Hkey, OpenKey> handles_;
};
