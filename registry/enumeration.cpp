#include <algorithm>
#include <utility>

#include "core/dbcs.h"
#include "platform/ui.h"
#include "registry/operations.h"
#include "registry/view64.h"

namespace {
constexpr Dword kNameBuffer = 255;

std::string untilZero(const char* buffer, std::size_t size) {
    std::size_t length = 0;
    while (length < size && buffer[length] != '\0') ++length;
    return std::string(buffer, length);
}

// Whether the name holds nothing but spaces: the byte 0x20 and the ideographic space A1 A1.
bool onlySpaces(const std::string& name) {
    for (std::size_t at = 0; at < name.size(); at += dbcsCharacterLength(name, at)) {
        const bool space = dbcsCharacterLength(name, at) == 2 ? name.compare(at, 2, "\xA1\xA1") == 0
                                                              : name[at] == ' ';
        if (!space) return false;
    }
    return true;
}

// One listing: the entries it appends, the keys it still has to walk into, the handles it
// must close before it returns.
class Walk {
public:
    Walk(Accessor self, TreeList& list, Hkey root, Address progress, bool view64)
        : self_(self), list_(list), root_(root), progress_(progress), view64_(view64) {}

    std::int32_t run(std::string& keyPath, std::int32_t recursive) {
        list_.clear();
        if (dbcsEndsWith(keyPath, '\\')) keyPath.pop_back();
        if (!keyPath.empty()) fromKey(keyPath, recursive);
        else fromRoot(recursive);
        finish();
        return static_cast<std::int32_t>(list_.size());
    }

private:
    void fromKey(const std::string& keyPath, std::int32_t recursive) {
        Hkey start = 0;
        if (!open(keyPath, start)) return;
        if (recursive == 0) {
            std::string name;
            for (std::int32_t i = 0; self_.slots->EnumSubkey(self_, start, i, name) == 0; ++i) {
                addKey(keyPath + "\\" + name);  // listed without being opened
                yield();
            }
            Hkey second = 0;
            if (open(keyPath, second)) listValues(second, keyPath);
        } else if (recursive == 1) {
            listValues(start, keyPath);
            pending_.push_back({start, keyPath});
            walkTree();
        }
    }

    void fromRoot(std::int32_t recursive) {
        std::string name;
        for (std::int32_t i = 0; self_.slots->EnumSubkey(self_, root_, i, name) == 0; ++i) {
            Hkey key = 0;
            if (!open(name, key)) {
                yield();
                continue;
            }
            if (onlySpaces(name)) break;  // ends the root's listing; the handle closes at the end
            pending_.push_back({key, name});
            addKey(name);
            yield();
        }
        if (recursive == 0) listValues(root_, "");
        if (recursive == 1) walkTree();
    }

    // The key listed last is walked into first; each key entry is followed by its values.
    void walkTree() {
        while (!pending_.empty()) {
            const auto [key, path] = pending_.back();
            pending_.pop_back();
            std::string name;
            for (std::int32_t i = 0; self_.slots->EnumSubkey(self_, key, i, name) == 0; ++i) {
                const std::string child = path + "\\" + name;
                Hkey childKey = 0;
                if (!open(child, childKey)) {
                    yield();
                    continue;
                }
                pending_.push_back({childKey, child});
                addKey(child);
                listValues(childKey, child);
                yield();
            }
            closeOnce(key);
        }
    }

    void listValues(Hkey key, const std::string& path) {
        ValueInfo value;
        for (std::int32_t j = 0; self_.slots->EnumValue(self_, key, j, value) == 0; ++j) {
            list_.push_back({kValueEntry, path, value});
            notify();
            yield();
        }
    }

    void addKey(const std::string& path) {
        list_.push_back({kKeyEntry, path, ValueInfo()});
        notify();
    }

    // Paths are always opened with one backslash appended.
    bool open(const std::string& path, Hkey& key) {
        std::string withSeparator = path + "\\";
        const auto openIn = view64_ ? self_.slots->OpenKeyView64 : self_.slots->OpenKey;
        if (openIn(self_, root_, withSeparator, key) != win::kErrorSuccess) return false;
        opened_.push_back(key);
        return true;
    }

    void notify() {
        if (progress_ == 0) return;
        RoutineArguments arguments;
        arguments[0] = static_cast<std::int32_t>(list_.size());
        std::int32_t ignored = 0;
        self_.slots->CallRoutine(self_, progress_, 0, 1, ignored, 0, arguments);
    }

    static void yield() { ui().processPendingMessages(); }

    // Every handle the walk opened and has not closed yet, then the root.
    void finish() {
        for (const auto& [key, path] : pending_) closeOnce(key);
        for (Hkey key : opened_) closeOnce(key);
        os().RegCloseKey(root_);
    }

    void closeOnce(Hkey key) {
        for (Hkey closed : closed_) {
            if (closed == key) return;
        }
        closed_.push_back(key);
        os().RegCloseKey(key);
    }

    Accessor self_;
    TreeList& list_;
    Hkey root_;
    Address progress_;
    bool view64_;
    std::vector<std::pair<Hkey, std::string>> pending_;
    std::vector<Hkey> opened_, closed_;
};
}  // namespace

long enumSubkey(Accessor, Hkey key, std::int32_t index, std::string& name) {
    char buffer[kNameBuffer + 1];
    std::fill(buffer, buffer + kNameBuffer, ' ');
    buffer[kNameBuffer] = '\0';
    const long result = os().RegEnumKeyA(key, Dword(index), buffer, kNameBuffer);
    name = untilZero(buffer, sizeof buffer);
    return result;
}

long enumValue(Accessor, Hkey key, std::int32_t index, ValueInfo& value) {
    char name[kNameBuffer + 1];
    std::fill(name, name + kNameBuffer, ' ');
    name[kNameBuffer] = '\0';
    value.valueIndex = index;
    value.valueType = 0;
    value.valueNameSize = kNameBuffer;
    value.valueData.assign(kNameBuffer, 0);
    value.valueDataSize = kNameBuffer;
    const long result = os().RegEnumValueA(key, Dword(index), name, &value.valueNameSize,
                                           &value.valueType, value.valueData.data(),
                                           &value.valueDataSize);
    value.valueName = untilZero(name, sizeof name);
    // Numbers and string lists keep their reported length; other types keep the whole buffer.
    if (value.valueType == win::kRegDword || value.valueType == win::kRegMultiSz) {
        value.valueData.resize(std::min<Dword>(value.valueDataSize, kNameBuffer));
    }
    return result;
}

std::int32_t countSubkeys(Accessor, Hkey key) {
    Dword count = 0;
    os().RegQueryInfoKeyA(key, &count);
    return static_cast<std::int32_t>(count);
}

std::int32_t listKeyTree(Accessor self, TreeList& list, RootType root, std::string& keyPath,
                         OptionalInt recursive, Address progress) {
    const Hkey rootKey = self.slots->RootHandle(self, root);
    return Walk(self, list, rootKey, progress, false).run(keyPath, recursive.value_or(0));
}

std::int32_t listKeyTreeView64(Accessor self, TreeList& list, RootType root, std::string& keyPath,
                               OptionalInt recursive, Address progress) {
    if (self.is64Bit == 0) return 0;  // the list stays as it was
    std::int32_t count = 0;
    withRedirectionOff([&] {
        const Hkey rootKey = self.slots->RootHandle(self, root);
        os().RegDisableReflectionKey(rootKey);
        count = Walk(self, list, rootKey, progress, true).run(keyPath, recursive.value_or(0));
        os().RegEnableReflectionKey(rootKey);
    });
    return count;
}
