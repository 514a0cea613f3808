#include "platform/sim/sim_registry.h"

#include <cstring>

#include "platform/sim/sim_codepage.h"

namespace {
constexpr long kErrorInvalidParameter = 87, kErrorCallNotImplemented = 120,
               kErrorNoAccess = 998, kErrorKeyDeleted = 1018;
constexpr long kErrorFileNotFound = long(win::kErrorFileNotFound),
               kErrorAccessDenied = long(win::kErrorAccessDenied),
               kErrorInvalidHandle = long(win::kErrorInvalidHandle);

// Windows compares registry names by their upper case, which also gives the order in which it
// lists subkeys ("AB" before "A_").
char16_t upper(char16_t c) {
    if ((c >= u'a' && c <= u'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7) ||
        (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) || (c >= 0x430 && c <= 0x44F) ||
        (c >= 0xFF41 && c <= 0xFF5A)) {
        return char16_t(c - 0x20);
    }
    if (c >= 0x450 && c <= 0x45F) return char16_t(c - 0x50);
    return c;
}

std::u16string upper(std::u16string text) {
    for (char16_t& c : text) c = upper(c);
    return text;
}

std::vector<std::u16string> split(const std::u16string& path) {
    std::vector<std::u16string> parts;
    std::u16string part;
    for (const char16_t c : path + u'\\') {
        if (c != u'\\') {
            part += c;
        } else if (!part.empty()) {
            parts.push_back(part);
            part.clear();
        }
    }
    return parts;
}

const char* rootName(Hkey root) {
    switch (root) {
    case win::kHkeyClassesRoot: return "HKCR";
    case win::kHkeyCurrentUser: return "HKCU";
    case win::kHkeyLocalMachine: return "HKLM";
    case win::kHkeyUsers: return "HKU";
    default: return "HKCC";
    }
}
}  // namespace

struct SimRegistry::Key {
    struct Value {
        std::u16string name;
        RegValue content;
    };
    std::u16string name;
    Hkey root = 0;
    Key* parent = nullptr;  // none for a root key, or once deleted
    std::map<std::u16string, std::shared_ptr<Key>> subkeys;  // by upper-case name
    std::vector<Value> values;                                // in creation order
    bool deleted = false;
    bool reflectionDisabled = false;

    Value* value(const std::u16string& valueName) {
        const std::u16string wanted = upper(valueName);
        for (Value& candidate : values) {
            if (upper(candidate.name) == wanted) return &candidate;
        }
        return nullptr;
    }

    std::vector<std::u16string> path() const {
        std::vector<std::u16string> parts;
        for (const Key* at = this; at->parent; at = at->parent) {
            parts.insert(parts.begin(), at->name);
        }
        return parts;
    }

    void markDeleted() {
        deleted = true;
        parent = nullptr;
        for (auto& [name, subkey] : subkeys) subkey->markDeleted();
        subkeys.clear();
    }
};

SimRegistry::SimRegistry(const Dword& ansiCodePage, Handle& nextHandle)
    : ansiCodePage_(ansiCodePage), nextHandle_(nextHandle) {
    for (const Hkey root : {win::kHkeyClassesRoot, win::kHkeyCurrentUser, win::kHkeyLocalMachine,
                            win::kHkeyUsers, win::kHkeyCurrentConfig}) {
        auto key = std::make_shared<Key>();
        key->root = root;
        roots_[root] = OpenKey{key, RegView::Default, rootName(root)};
    }
    createKeyAt(win::kHkeyLocalMachine, "SOFTWARE", RegView::Wow64_64);
    createKeyAt(win::kHkeyCurrentUser, "Software", RegView::Default);
    setWindows64(true);
}

SimRegistry::~SimRegistry() = default;

void SimRegistry::setWindows64(bool windows64) {
    windows64_ = windows64;
    if (windows64) {
        createKeyAt(win::kHkeyLocalMachine, "SOFTWARE\\WOW6432Node", RegView::Wow64_64);
    } else {
        deleteTreeAt(win::kHkeyLocalMachine, "SOFTWARE\\WOW6432Node", RegView::Wow64_64);
    }
}

// --- Helpers ---------------------------------------------------------------------------------

std::u16string SimRegistry::wide(const std::string& text) const {
    std::u16string result;
    if (toUtf16(ansiCodePage_, text, result)) return result;
    return std::u16string(text.begin(), text.end());
}

std::string SimRegistry::ansi(const std::u16string& text) const {
    std::string result;
    fromUtf16(ansiCodePage_, text, result);
    return result;
}

const SimRegistry::OpenKey* SimRegistry::handle(Hkey key) const {
    const auto root = roots_.find(key);
    if (root != roots_.end()) return &root->second;
    const auto open = handles_.find(key);
    return open == handles_.end() ? nullptr : &open->second;
}

long SimRegistry::find(const OpenKey& from, const std::string& subKey, RegView view, bool create,
                       std::shared_ptr<Key>& found) const {
    if (from.key->deleted) return kErrorKeyDeleted;
    std::shared_ptr<Key> at = from.key;
    std::vector<std::u16string> parts = split(wide(subKey));
    // The 32-bit view of HKLM\SOFTWARE is its WOW6432Node, reached from wherever the path starts.
    if (windows64_ && view != RegView::Wow64_64 && at->root == win::kHkeyLocalMachine) {
        std::vector<std::u16string> full = at->path();
        full.insert(full.end(), parts.begin(), parts.end());
        if (!full.empty() && upper(full[0]) == u"SOFTWARE" &&
            (full.size() == 1 || upper(full[1]) != u"WOW6432NODE")) {
            full.insert(full.begin() + 1, u"WOW6432Node");
            at = roots_.at(win::kHkeyLocalMachine).key;
            parts = std::move(full);
        }
    }
    for (const std::u16string& part : parts) {
        const std::u16string folded = upper(part);
        auto next = at->subkeys.find(folded);
        if (next == at->subkeys.end()) {
            if (!create) return kErrorFileNotFound;
            auto key = std::make_shared<Key>();
            key->name = part;
            key->root = at->root;
            key->parent = at.get();
            next = at->subkeys.emplace(folded, std::move(key)).first;
        }
        at = next->second;
    }
    found = at;
    return 0;
}

Hkey SimRegistry::newHandle(std::shared_ptr<Key> key, RegView view, std::string named,
                            Dword access) {
    const Hkey opened = nextHandle_ += 4;
    handles_[opened] = OpenKey{std::move(key), view, std::move(named), access};
    return opened;
}

const SimRegistry::OpenKey* SimRegistry::handleWith(Hkey key, Dword right, long& error) const {
    const OpenKey* from = handle(key);
    error = !from ? kErrorInvalidHandle : (from->access & right) != right ? kErrorAccessDenied : 0;
    return error ? nullptr : from;
}

std::string SimRegistry::describe(Hkey key, const std::string& subKey) const {
    const OpenKey* from = handle(key);
    if (!from) return "<invalid>";
    return subKey.empty() ? from->named : from->named + "\\" + subKey;
}

RegView SimRegistry::viewOf(Hkey key, Dword access) const {
    if (access & win::kKeyWow64_64Key) return RegView::Wow64_64;
    if (access & win::kKeyWow64_32Key) return RegView::Wow64_32;
    const OpenKey* from = handle(key);
    return from ? from->view : RegView::Default;
}

// --- The Win32 functions ---------------------------------------------------------------------

long SimRegistry::openKey(Hkey key, const std::string& subKey, Dword access,
                          bool sameHandleForEmpty, Hkey& opened) {
    opened = 0;
    const OpenKey* from = handle(key);
    if (!from) return kErrorInvalidHandle;
    if (subKey.empty() && sameHandleForEmpty) {
        opened = key;
        return 0;
    }
    const RegView view = viewOf(key, access);
    std::shared_ptr<Key> found;
    if (const long result = find(*from, subKey, view, false, found)) return result;
    opened = newHandle(std::move(found), view, describe(key, subKey), access);
    return 0;
}

long SimRegistry::createKey(Hkey key, const std::string& subKey, Hkey& created) {
    created = 0;
    const OpenKey* from = handle(key);
    if (!from) return kErrorInvalidHandle;
    if (subKey.empty() && roots_.count(key)) {
        created = key;
        return 0;
    }
    std::shared_ptr<Key> found;
    if (const long result = find(*from, subKey, from->view, true, found)) return result;
    created = newHandle(std::move(found), from->view, describe(key, subKey), win::kKeyAllAccess);
    return 0;
}

long SimRegistry::closeKey(Hkey key) {
    if (roots_.count(key)) return 0;
    return handles_.erase(key) ? 0 : kErrorInvalidHandle;
}

long SimRegistry::queryValue(Hkey key, const std::string& name, Dword* type, std::uint8_t* data,
                             Dword* size) {
    long error = 0;
    const OpenKey* from = handleWith(key, win::kKeyQueryValue, error);
    if (!from) return error;
    if (from->key->deleted) return kErrorKeyDeleted;
    if (data && !size) return kErrorInvalidParameter;
    const Key::Value* value = from->key->value(wide(name));
    if (!value) return kErrorFileNotFound;
    if (type) *type = value->content.type;
    const Dword needed = Dword(value->content.data.size());
    if (data && *size < needed) {
        *size = needed;
        return win::kErrorMoreData;
    }
    if (data && needed) std::memcpy(data, value->content.data.data(), needed);
    if (size) *size = needed;
    return 0;
}

long SimRegistry::setValue(Hkey key, const std::string& name, Dword type, const std::uint8_t* data,
                           Dword size) {
    long error = 0;
    const OpenKey* from = handleWith(key, win::kKeySetValue, error);
    if (!from) return error;
    if (from->key->deleted) return kErrorKeyDeleted;
    if (!data && size) return kErrorNoAccess;
    RegValue content{type, data ? std::vector<std::uint8_t>(data, data + size)
                                : std::vector<std::uint8_t>()};
    const std::u16string valueName = wide(name);
    if (Key::Value* existing = from->key->value(valueName)) {
        existing->content = std::move(content);  // keeps its place among the values
    } else {
        from->key->values.push_back({valueName, std::move(content)});
    }
    return 0;
}

long SimRegistry::deleteKey(Hkey key, const std::string& subKey) {
    const OpenKey* from = handle(key);
    if (!from) return kErrorInvalidHandle;
    std::shared_ptr<Key> found;
    if (const long result = find(*from, subKey, from->view, false, found)) return result;
    if (!found->parent || !found->subkeys.empty()) return kErrorAccessDenied;
    found->parent->subkeys.erase(upper(found->name));
    found->markDeleted();
    return 0;
}

long SimRegistry::deleteValue(Hkey key, const std::string& name) {
    long error = 0;
    const OpenKey* from = handleWith(key, win::kKeySetValue, error);
    if (!from) return error;
    if (from->key->deleted) return kErrorKeyDeleted;
    Key::Value* value = from->key->value(wide(name));
    if (!value) return kErrorFileNotFound;
    from->key->values.erase(from->key->values.begin() + (value - from->key->values.data()));
    return 0;
}

long SimRegistry::enumKey(Hkey key, Dword index, char* name, Dword nameSize) {
    long error = 0;
    const OpenKey* from = handleWith(key, win::kKeyEnumerateSubKeys, error);
    if (!from) return error;
    if (from->key->deleted) return kErrorKeyDeleted;
    const auto& subkeys = from->key->subkeys;
    if (index >= subkeys.size()) return win::kErrorNoMoreItems;
    if (!name) return kErrorInvalidParameter;
    const std::string text = ansi(std::next(subkeys.begin(), index)->second->name);
    if (text.size() + 1 > nameSize) return win::kErrorMoreData;
    std::memcpy(name, text.c_str(), text.size() + 1);
    return 0;
}

long SimRegistry::enumValue(Hkey key, Dword index, char* name, Dword* nameSize, Dword* type,
                            std::uint8_t* data, Dword* dataSize) {
    long error = 0;
    const OpenKey* from = handleWith(key, win::kKeyQueryValue, error);
    if (!from) return error;
    if (from->key->deleted) return kErrorKeyDeleted;
    const auto& values = from->key->values;
    if (index >= values.size()) return win::kErrorNoMoreItems;
    if (!name || !nameSize || (data && !dataSize)) return kErrorInvalidParameter;
    const Key::Value& value = values[index];
    const std::string text = ansi(value.name);
    if (text.size() + 1 > *nameSize) return win::kErrorMoreData;
    std::memcpy(name, text.c_str(), text.size() + 1);
    *nameSize = Dword(text.size());
    if (type) *type = value.content.type;
    const Dword needed = Dword(value.content.data.size());
    if (data && *dataSize < needed) {
        *dataSize = needed;
        return win::kErrorMoreData;
    }
    if (data && needed) std::memcpy(data, value.content.data.data(), needed);
    if (dataSize) *dataSize = needed;
    return 0;
}

long SimRegistry::queryInfoKey(Hkey key, Dword* subKeys) {
    long error = 0;
    const OpenKey* from = handleWith(key, win::kKeyQueryValue, error);
    if (!from) return error;
    if (from->key->deleted) return kErrorKeyDeleted;
    if (subKeys) *subKeys = Dword(from->key->subkeys.size());
    return 0;
}

long SimRegistry::setReflection(Hkey key, bool enabled) {
    const OpenKey* from = handle(key);
    if (!from) return kErrorInvalidHandle;
    if (!windows64_) return kErrorCallNotImplemented;
    if (from->key->deleted) return kErrorKeyDeleted;
    from->key->reflectionDisabled = !enabled;
    return 0;
}

// --- What a test sets up and looks at ----------------------------------------------------------

std::shared_ptr<SimRegistry::Key> SimRegistry::findAt(Hkey root, const std::string& path,
                                                      RegView view, bool create) const {
    const auto from = roots_.find(root);
    std::shared_ptr<Key> found;
    if (from == roots_.end() || find(from->second, path, view, create, found) != 0) return nullptr;
    return found;
}

void SimRegistry::setValueAt(Hkey root, const std::string& path, const std::string& name,
                             RegValue value, RegView view) {
    const auto key = findAt(root, path, view, true);
    if (!key) return;
    const std::u16string valueName = wide(name);
    if (Key::Value* existing = key->value(valueName)) {
        existing->content = std::move(value);
    } else {
        key->values.push_back({valueName, std::move(value)});
    }
}

std::optional<RegValue> SimRegistry::valueAt(Hkey root, const std::string& path,
                                             const std::string& name, RegView view) const {
    const auto key = findAt(root, path, view, false);
    const Key::Value* value = key ? key->value(wide(name)) : nullptr;
    if (!value) return std::nullopt;
    return value->content;
}

bool SimRegistry::keyExistsAt(Hkey root, const std::string& path, RegView view) const {
    return findAt(root, path, view, false) != nullptr;
}

void SimRegistry::createKeyAt(Hkey root, const std::string& path, RegView view) {
    findAt(root, path, view, true);
}

void SimRegistry::deleteTreeAt(Hkey root, const std::string& path, RegView view) {
    const auto key = findAt(root, path, view, false);
    if (!key || !key->parent) return;
    key->parent->subkeys.erase(upper(key->name));
    key->markDeleted();
}

bool SimRegistry::reflectionDisabledAt(Hkey root, const std::string& path, RegView view) const {
    const auto key = findAt(root, path, view, false);
    return key && key->reflectionDisabled;
}
