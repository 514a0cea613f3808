// The registry and WOW64 behaviours the program relies on, as one set of expectations for the
// real Win32 functions and for the simulated Windows alike. Every test works below
// HKCU\Software\VantrelPortTest\<name> and HKLM\SOFTWARE\VantrelPortTest\<name>, in both views,
// and removes what it made.
#include <gtest/gtest.h>

#include <cctype>
#include <optional>
#include <string>
#include <vector>

#include "tests/port/port_env.h"

namespace {
using Bytes = std::vector<std::uint8_t>;

constexpr Hkey kUser = win::kHkeyCurrentUser, kMachine = win::kHkeyLocalMachine;
constexpr Dword kQuery64 = win::kKeyQueryValue | win::kKeyWow64_64Key;
constexpr long kErrorCallNotImplemented = 120;

Bytes bytes(const std::string& text) { return Bytes(text.begin(), text.end()); }

struct Stored {
    Dword type = 0;
    Bytes data;
    bool operator==(const Stored& other) const { return type == other.type && data == other.data; }
};

class Registry : public ::testing::Test {
protected:
    Os& os = portUnderTest();
    const std::string name = portUniqueName();
    const std::string user = "Software\\VantrelPortTest\\" + name;
    const std::string machine = "SOFTWARE\\VantrelPortTest\\" + name;

    void TearDown() override {
        removeOurs(kUser, "Software", 0);
        removeOurs(kMachine, "SOFTWARE", 0);
        if (portIs64BitWindows()) removeOurs(kMachine, "SOFTWARE", win::kKeyWow64_64Key);
    }

    Hkey create(Hkey root, const std::string& path) {
        Hkey key = 0;
        EXPECT_EQ(os.RegCreateKeyA(root, path, key), win::kErrorSuccess) << path;
        return key;
    }

    long set(Hkey key, const std::string& valueName, Dword type, const Bytes& data) {
        return os.RegSetValueExA(key, valueName, type, data.data(), Dword(data.size()));
    }

    long setDword(Hkey key, const std::string& valueName, Dword value) {
        return set(key, valueName, win::kRegDword,
                   Bytes{std::uint8_t(value), std::uint8_t(value >> 8), std::uint8_t(value >> 16),
                         std::uint8_t(value >> 24)});
    }

    // The value as a program reads it: its size first, then the data. None when it is missing.
    std::optional<Stored> query(Hkey key, const std::string& valueName) {
        Stored stored;
        Dword size = 0;
        if (os.RegQueryValueExA(key, valueName, &stored.type, nullptr, &size) != 0) return {};
        stored.data.resize(size + 16);
        size = Dword(stored.data.size());
        EXPECT_EQ(os.RegQueryValueExA(key, valueName, &stored.type, stored.data.data(), &size), 0);
        stored.data.resize(size);
        return stored;
    }

    std::optional<Stored> queryAt(Hkey root, const std::string& path, const std::string& valueName,
                                  Dword access = win::kKeyQueryValue) {
        Hkey key = 0;
        if (os.RegOpenKeyExA(root, path, 0, access, key) != 0) return {};
        auto stored = query(key, valueName);
        os.RegCloseKey(key);
        return stored;
    }

    std::vector<std::string> subkeys(Hkey key) {
        std::vector<std::string> names;
        char buffer[256];
        for (Dword index = 0; os.RegEnumKeyA(key, index, buffer, sizeof buffer) == 0; ++index) {
            names.push_back(buffer);
        }
        return names;
    }

private:
    // `name` below `parent` with all it holds, in the view `viewFlag` names.
    void deleteTree(Hkey parent, const std::string& key, Dword viewFlag) {
        Hkey opened = 0;
        if (os.RegOpenKeyExA(parent, key, 0, win::kKeyAllAccess | viewFlag, opened) != 0) return;
        for (const std::string& child : subkeys(opened)) deleteTree(opened, child, viewFlag);
        os.RegCloseKey(opened);
        EXPECT_EQ(os.RegDeleteKeyA(parent, key), 0) << key;
    }

    void removeOurs(Hkey root, const std::string& software, Dword viewFlag) {
        const std::string base = software + "\\VantrelPortTest";
        Hkey parent = 0;
        if (os.RegOpenKeyExA(root, base, 0, win::kKeyAllAccess | viewFlag, parent) != 0) return;
        deleteTree(parent, name, viewFlag);
        Hkey gone = 0;
        EXPECT_NE(os.RegOpenKeyExA(parent, name, 0, win::kKeyQueryValue | viewFlag, gone), 0);
        Dword left = 1;
        os.RegQueryInfoKeyA(parent, &left);
        os.RegCloseKey(parent);
        if (left > 0) return;  // another run's keys are still there
        Hkey holder = 0;
        if (os.RegOpenKeyExA(root, software, 0, win::kKeyAllAccess | viewFlag, holder) == 0) {
            os.RegDeleteKeyA(holder, "VantrelPortTest");
            os.RegCloseKey(holder);
        }
    }
};

TEST_F(Registry, ValuesKeepTheirTypeAndBytesUnderNamesThatIgnoreCase) {
    const std::string path = user + "\\Deep\\Er";  // every missing key on the way is created
    const Hkey key = create(kUser, path);
    const struct {
        const char* name;
        Dword type;
        Bytes data;
    } cases[] = {
        {"Text", win::kRegSz, bytes(std::string("Vantrel\0", 8))},
        {"Chinese", win::kRegSz, bytes(std::string("\xD6\xD0\xCE\xC4\0", 5))},  // 中文
        {"Expand", win::kRegExpandSz, bytes(std::string("%TEMP%\\x\0", 9))},
        {"List", win::kRegMultiSz, bytes(std::string("a\0b\0\0", 5))},
        {"Count", win::kRegDword, Bytes{1, 2, 3, 4}},
        {"Blob", win::kRegBinary, Bytes{0, 0xFF, 0x10}},
        {"EmptyBlob", win::kRegBinary, Bytes{}},
        {"Nothing", win::kRegNone, Bytes{}},
    };
    for (const auto& c : cases) ASSERT_EQ(set(key, c.name, c.type, c.data), 0) << c.name;
    os.RegCloseKey(key);

    std::string shouted = path;
    for (char& ch : shouted) ch = char(std::toupper(static_cast<unsigned char>(ch)));
    Hkey reopened = 0;
    ASSERT_EQ(os.RegOpenKeyA(kUser, shouted, reopened), 0);
    for (const auto& c : cases) {
        std::string lower = c.name;
        for (char& ch : lower) ch = char(std::tolower(static_cast<unsigned char>(ch)));
        EXPECT_EQ(query(reopened, lower), (Stored{c.type, c.data})) << c.name;
    }
    // Writing again replaces type and data.
    ASSERT_EQ(set(reopened, "COUNT", win::kRegSz, bytes(std::string("x\0", 2))), 0);
    EXPECT_EQ(query(reopened, "Count"), (Stored{win::kRegSz, bytes(std::string("x\0", 2))}));
    os.RegCloseKey(reopened);

    Hkey parent = 0;
    ASSERT_EQ(os.RegOpenKeyA(kUser, user + "\\deep", parent), 0);
    EXPECT_EQ(subkeys(parent), std::vector<std::string>{"Er"});  // the case it was made in
    os.RegCloseKey(parent);
}

// Names are characters, not bytes: 籠 ends in the byte of a backslash, and 乤 and 丄 differ only
// in a byte that would be a letter's case.
TEST_F(Registry, ChineseNamesStayWhole) {
    const Hkey key = create(kUser, user);
    const std::string cage = "\xBB\x5C";  // 籠
    Hkey sub = create(key, cage);
    os.RegCloseKey(sub);
    EXPECT_EQ(subkeys(key), std::vector<std::string>{cage});

    ASSERT_EQ(setDword(key, "\x81\x61", 1), 0);  // 乤
    ASSERT_EQ(setDword(key, "\x81\x41", 2), 0);  // 丄
    EXPECT_EQ(query(key, "\x81\x61"), (Stored{win::kRegDword, Bytes{1, 0, 0, 0}}));
    EXPECT_EQ(query(key, "\x81\x41"), (Stored{win::kRegDword, Bytes{2, 0, 0, 0}}));
    os.RegCloseKey(key);
}

TEST_F(Registry, SizeQueriesAndBuffersThatAreTooSmall) {
    const Hkey key = create(kUser, user);
    const Bytes ten{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    ASSERT_EQ(set(key, "Blob", win::kRegBinary, ten), 0);

    Dword type = 0, size = 0;
    EXPECT_EQ(os.RegQueryValueExA(key, "Blob", &type, nullptr, &size), 0);
    EXPECT_EQ(type, win::kRegBinary);
    EXPECT_EQ(size, 10u);

    std::uint8_t buffer[16] = {};
    size = 4;
    EXPECT_EQ(os.RegQueryValueExA(key, "Blob", nullptr, buffer, &size), win::kErrorMoreData);
    EXPECT_EQ(size, 10u);
    size = 10;
    EXPECT_EQ(os.RegQueryValueExA(key, "Blob", nullptr, buffer, &size), 0);
    EXPECT_EQ(Bytes(buffer, buffer + size), ten);
    EXPECT_EQ(os.RegQueryValueExA(key, "Blob", nullptr, nullptr, nullptr), 0);  // exists

    size = sizeof buffer;
    EXPECT_EQ(os.RegQueryValueExA(key, "Missing", &type, buffer, &size),
              long(win::kErrorFileNotFound));
    Hkey missing = 0;
    EXPECT_EQ(os.RegOpenKeyA(kUser, user + "\\Missing", missing), long(win::kErrorFileNotFound));
    EXPECT_EQ(os.RegOpenKeyExA(kUser, user + "\\Missing", 0, win::kKeyQueryValue, missing),
              long(win::kErrorFileNotFound));
    os.RegCloseKey(key);
}

TEST_F(Registry, UnknownHandlesAreRefused) {
    const long invalid = long(win::kErrorInvalidHandle);
    Hkey opened = 0;
    char name[16];
    Dword size = sizeof name, count = 0;
    EXPECT_EQ(os.RegOpenKeyA(0, "Software", opened), invalid);
    EXPECT_EQ(os.RegOpenKeyExA(0, "Software", 0, win::kKeyQueryValue, opened), invalid);
    EXPECT_EQ(os.RegCreateKeyA(0, "Software", opened), invalid);
    EXPECT_EQ(os.RegQueryValueExA(0, "x", nullptr, nullptr, &size), invalid);
    EXPECT_EQ(os.RegSetValueExA(0, "x", win::kRegBinary, nullptr, 0), invalid);
    EXPECT_EQ(os.RegEnumKeyA(0, 0, name, sizeof name), invalid);
    EXPECT_EQ(os.RegEnumValueA(0, 0, name, &size, nullptr, nullptr, nullptr), invalid);
    EXPECT_EQ(os.RegQueryInfoKeyA(0, &count), invalid);
    EXPECT_EQ(os.RegCloseKey(0), invalid);

    const Hkey key = create(kUser, user);
    ASSERT_EQ(os.RegCloseKey(key), 0);
    EXPECT_EQ(os.RegCloseKey(key), invalid);  // closed once
    // The root keys are predefined: closing one changes nothing.
    EXPECT_EQ(os.RegCloseKey(kUser), 0);
    ASSERT_EQ(os.RegOpenKeyA(kUser, user, opened), 0);
    os.RegCloseKey(opened);
}

TEST_F(Registry, AnEmptySubkeyNamesTheKeyItselfAndAnEmptyValueNameItsDefault) {
    const Hkey key = create(kUser, user);
    EXPECT_FALSE(query(key, ""));  // a new key has no default value
    const Bytes text = bytes(std::string("default\0", 8));
    ASSERT_EQ(set(key, "", win::kRegSz, text), 0);
    EXPECT_EQ(query(key, ""), (Stored{win::kRegSz, text}));

    Hkey same = 0, other = 0;
    ASSERT_EQ(os.RegOpenKeyA(key, "", same), 0);
    EXPECT_EQ(same, key);  // RegOpenKeyA hands back the key it was given
    ASSERT_EQ(os.RegOpenKeyExA(key, "", 0, win::kKeyQueryValue, other), 0);
    EXPECT_NE(other, key);  // RegOpenKeyExA opens the same key anew
    EXPECT_EQ(query(other, ""), (Stored{win::kRegSz, text}));
    EXPECT_EQ(os.RegCloseKey(other), 0);
    EXPECT_EQ(query(key, ""), (Stored{win::kRegSz, text}));

    char name[16] = "x";
    Dword nameSize = sizeof name;
    EXPECT_EQ(os.RegEnumValueA(key, 0, name, &nameSize, nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(nameSize, 0u);
    EXPECT_STREQ(name, "");
    os.RegCloseKey(key);
}

TEST_F(Registry, SubkeysComeSortedIgnoringCase) {
    const Hkey key = create(kUser, user);
    for (const char* child : {"beta", "Alpha", "ab", "Gamma"}) {
        Hkey made = create(key, child);
        os.RegCloseKey(made);
    }
    EXPECT_EQ(subkeys(key), (std::vector<std::string>{"ab", "Alpha", "beta", "Gamma"}));
    Dword count = 0;
    EXPECT_EQ(os.RegQueryInfoKeyA(key, &count), 0);
    EXPECT_EQ(count, 4u);
    char name[16];
    EXPECT_EQ(os.RegEnumKeyA(key, 4, name, sizeof name), win::kErrorNoMoreItems);
    EXPECT_EQ(os.RegEnumKeyA(key, 1, name, 5), win::kErrorMoreData);  // "Alpha" and its zero need 6
    EXPECT_EQ(os.RegEnumKeyA(key, 1, name, 6), 0);
    EXPECT_STREQ(name, "Alpha");
    os.RegCloseKey(key);
}

// Windows compares names in upper case, so "AB" comes before "A_" ('B' before '_').
TEST_F(Registry, SubkeysSortInUpperCaseExceptUnderWine) {
    if (portIsWine()) GTEST_SKIP() << "Wine sorts subkeys in lower case: \"a_\" before \"ab\"";
    const Hkey key = create(kUser, user);
    for (const char* child : {"A_", "ab"}) {
        Hkey made = create(key, child);
        os.RegCloseKey(made);
    }
    EXPECT_EQ(subkeys(key), (std::vector<std::string>{"ab", "A_"}));
    os.RegCloseKey(key);
}

TEST_F(Registry, ValuesComeInTheOrderMadeExceptUnderWine) {
    if (portIsWine()) GTEST_SKIP() << "Wine lists values sorted by name";
    const Hkey key = create(kUser, user);
    for (const char* value : {"zeta", "Alpha", "mid", "zeta"}) {  // rewriting keeps its place
        ASSERT_EQ(setDword(key, value, 1), 0);
    }
    std::vector<std::string> names;
    char name[16];
    Dword nameSize = sizeof name;
    for (Dword i = 0; os.RegEnumValueA(key, i, name, &nameSize, nullptr, nullptr, nullptr) == 0;
         ++i, nameSize = sizeof name) {
        names.push_back(name);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"zeta", "Alpha", "mid"}));
    os.RegCloseKey(key);
}

TEST_F(Registry, ValueEnumerationGivesSizesAndRefusesBuffersThatAreTooSmall) {
    const Hkey key = create(kUser, user);
    ASSERT_EQ(setDword(key, "Alpha", 0x04030201), 0);
    char name[16];
    Dword nameSize = 5;  // "Alpha" and its zero need 6
    EXPECT_EQ(os.RegEnumValueA(key, 0, name, &nameSize, nullptr, nullptr, nullptr),
              win::kErrorMoreData);

    Dword type = 0, dataSize = 0;
    nameSize = sizeof name;
    EXPECT_EQ(os.RegEnumValueA(key, 0, name, &nameSize, &type, nullptr, &dataSize), 0);
    EXPECT_EQ(nameSize, 5u);
    EXPECT_STREQ(name, "Alpha");
    EXPECT_EQ(type, win::kRegDword);
    EXPECT_EQ(dataSize, 4u);

    std::uint8_t data[8] = {};
    nameSize = sizeof name;
    dataSize = 2;
    EXPECT_EQ(os.RegEnumValueA(key, 0, name, &nameSize, &type, data, &dataSize),
              win::kErrorMoreData);
    EXPECT_EQ(dataSize, 4u);
    nameSize = sizeof name;
    EXPECT_EQ(os.RegEnumValueA(key, 0, name, &nameSize, &type, data, &dataSize), 0);
    EXPECT_EQ(Bytes(data, data + dataSize), (Bytes{1, 2, 3, 4}));
    nameSize = sizeof name;
    EXPECT_EQ(os.RegEnumValueA(key, 1, name, &nameSize, nullptr, nullptr, nullptr),
              win::kErrorNoMoreItems);
    os.RegCloseKey(key);
}

TEST_F(Registry, DeletingAKeyWithSubkeysIsRefused) {
    const Hkey key = create(kUser, user);
    Hkey child = create(key, "Parent\\Child");
    os.RegCloseKey(child);
    ASSERT_EQ(setDword(key, "v", 1), 0);

    EXPECT_EQ(os.RegDeleteKeyA(key, "Parent"), long(win::kErrorAccessDenied));
    EXPECT_EQ(os.RegDeleteKeyA(key, "Missing"), long(win::kErrorFileNotFound));
    EXPECT_EQ(os.RegDeleteKeyA(key, "Parent\\Child"), 0);
    EXPECT_EQ(os.RegDeleteKeyA(key, "Parent"), 0);
    Hkey gone = 0;
    EXPECT_EQ(os.RegOpenKeyA(key, "Parent", gone), long(win::kErrorFileNotFound));

    EXPECT_EQ(os.RegDeleteValueA(key, "V"), 0);
    EXPECT_EQ(os.RegDeleteValueA(key, "v"), long(win::kErrorFileNotFound));
    EXPECT_FALSE(query(key, "v"));
    os.RegCloseKey(key);
}

TEST_F(Registry, LocalMachineSoftwareHasA32BitAndA64BitView) {
    const Hkey key32 = create(kMachine, machine);  // the default view
    ASSERT_EQ(setDword(key32, "v", 32), 0);
    const Stored v32{win::kRegDword, Bytes{32, 0, 0, 0}};

    if (!portIs64BitWindows()) {  // one view: the 64-bit flag changes nothing
        EXPECT_EQ(queryAt(kMachine, machine, "v", kQuery64), v32);
        os.RegCloseKey(key32);
        return;
    }
    Hkey key = 0;
    EXPECT_EQ(os.RegOpenKeyExA(kMachine, machine, 0, kQuery64, key), long(win::kErrorFileNotFound));
    const std::string redirected = "SOFTWARE\\WOW6432Node\\VantrelPortTest\\" + name;
    EXPECT_EQ(queryAt(kMachine, redirected, "v", kQuery64), v32);

    // A key made below a handle opened in the 64-bit view is in that view.
    Hkey software64 = 0;
    ASSERT_EQ(os.RegOpenKeyExA(kMachine, "SOFTWARE", 0, win::kKeyAllAccess | win::kKeyWow64_64Key,
                               software64),
              0);
    const Hkey key64 = create(software64, "VantrelPortTest\\" + name);
    os.RegCloseKey(software64);
    ASSERT_EQ(setDword(key64, "w", 64), 0);
    os.RegCloseKey(key64);

    EXPECT_EQ(queryAt(kMachine, machine, "w", kQuery64),
              (Stored{win::kRegDword, Bytes{64, 0, 0, 0}}));
    EXPECT_FALSE(queryAt(kMachine, machine, "v", kQuery64));
    EXPECT_FALSE(query(key32, "w"));
    EXPECT_EQ(query(key32, "v"), v32);
    EXPECT_EQ(queryAt(kMachine, machine, "v", win::kKeyQueryValue | win::kKeyWow64_32Key), v32);
    os.RegCloseKey(key32);
}

// Windows 7 and later accept both calls on 64-bit Windows and do nothing; 32-bit Windows has no
// reflection to turn off.
TEST_F(Registry, ReflectionTurnsOffAndBackOnButWineCannotTurnItBackOn) {
    const Hkey key = create(kMachine, machine);
    if (!portIs64BitWindows()) {
        EXPECT_EQ(os.RegDisableReflectionKey(key), kErrorCallNotImplemented);
        EXPECT_EQ(os.RegEnableReflectionKey(key), kErrorCallNotImplemented);
    } else {
        EXPECT_EQ(os.RegDisableReflectionKey(key), 0);
        if (!portIsWine()) {
            EXPECT_EQ(os.RegEnableReflectionKey(key), 0);
        }
    }
    os.RegCloseKey(key);
    if (portIs64BitWindows() && portIsWine()) {
        GTEST_SKIP() << "Wine's RegEnableReflectionKey answers ERROR_CALL_NOT_IMPLEMENTED";
    }
}

TEST_F(Registry, CurrentUserIsTheSameInBothViews) {
    const Hkey key = create(kUser, user);
    ASSERT_EQ(setDword(key, "shared", 7), 0);
    os.RegCloseKey(key);
    const Stored seven{win::kRegDword, Bytes{7, 0, 0, 0}};
    EXPECT_EQ(queryAt(kUser, user, "shared", kQuery64), seven);
    EXPECT_EQ(queryAt(kUser, user, "shared", win::kKeyQueryValue | win::kKeyWow64_32Key), seven);
}

TEST(Wow64, TheSystemSaysWhichWindowsItIsAndRedirectionTurnsOffAndBackOn) {
    Os& os = portUnderTest();
    const Address kernel = os.GetModuleHandleA("kernel32.dll");
    ASSERT_NE(kernel, 0u);
    EXPECT_EQ(os.GetProcAddress(kernel, "NoSuchRoutineInKernel32"), 0u);
    std::string directory;
    std::uintptr_t old = 0;

    if (!portIs64BitWindows()) {
        EXPECT_EQ(os.GetSystemWow64DirectoryA(directory, win::kMaxPath), 0u);
        EXPECT_FALSE(os.Wow64DisableWow64FsRedirection(old));
        return;
    }
    EXPECT_NE(os.GetProcAddress(kernel, "GetSystemWow64DirectoryA"), 0u);
    const Dword length = os.GetSystemWow64DirectoryA(directory, win::kMaxPath);
    ASSERT_EQ(length, 19u);
    for (char& c : directory) c = char(std::tolower(static_cast<unsigned char>(c)));
    EXPECT_EQ(directory, "c:\\windows\\syswow64");
    std::string tooSmall;
    EXPECT_EQ(os.GetSystemWow64DirectoryA(tooSmall, 5), length + 1);  // the size needed
    EXPECT_EQ(tooSmall, "");

    std::uintptr_t inner = 0;
    ASSERT_TRUE(os.Wow64DisableWow64FsRedirection(old));
    ASSERT_TRUE(os.Wow64DisableWow64FsRedirection(inner));
    EXPECT_TRUE(os.Wow64RevertWow64FsRedirection(inner));
    EXPECT_TRUE(os.Wow64RevertWow64FsRedirection(old));
}
}  // namespace
