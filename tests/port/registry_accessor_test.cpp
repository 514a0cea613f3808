// The registry accessor against a registry: the same expectations for the real one (a 32-bit
// program on 64-bit Windows, under Wine) and for the simulated 64-bit Windows. The 64-bit
// writes go through the registry editor, which on the real side is an independent reader of
// the .reg text the accessor makes.
#include <gtest/gtest.h>

#include "registry/registry_accessor.h"
#include "tests/port/port_env.h"

namespace {
constexpr RootType kCurrentUser = 3, kLocalMachine = 4;

std::int32_t VANTREL_STDCALL standardDigits(std::int32_t a, std::int32_t b, std::int32_t c) {
    return a * 100 + b * 10 + c;
}
std::int32_t VANTREL_CDECL cDigits(std::int32_t a, std::int32_t b, std::int32_t c) {
    return a * 100 + b * 10 + c;
}
std::int32_t VANTREL_STDCALL noArguments() { return 42; }
std::int32_t VANTREL_STDCALL fifteen(std::int32_t a, std::int32_t, std::int32_t, std::int32_t,
                                     std::int32_t, std::int32_t, std::int32_t, std::int32_t,
                                     std::int32_t, std::int32_t, std::int32_t, std::int32_t,
                                     std::int32_t, std::int32_t, std::int32_t o) {
    return a * 1000 + o;
}

std::vector<std::int32_t> progressSeen;
std::int32_t VANTREL_STDCALL recordProgress(std::int32_t entries) {
    progressSeen.push_back(entries);
    return 0;
}


class RegistryAccessorTest : public ::testing::Test {
protected:
    void SetUp() override {
        installPortsUnderTest();
        accessor = createRegistryAccessor();
        base = "Software\\VantrelAccessorTest\\" + portUniqueName();
    }
    void TearDown() override { releaseRegistryAccessor(accessor); }

    RegistryAccessor& r() { return *accessor; }
    const RegistrySlots& slot() { return *accessor->slots; }

    // Paths are passed by reference and split in place; these take a copy.
    std::string readText(RootType root, std::string path) { return slot().ReadText(r(), root, path); }
    std::string readTextView64(RootType root, std::string path) {
        return slot().ReadTextView64(r(), root, path);
    }
    Bytes readBytes(RootType root, std::string path) { return slot().ReadBytes(r(), root, path); }
    Bytes readBytesView64(RootType root, std::string path) {
        return slot().ReadBytesView64(r(), root, path);
    }
    bool exists(RootType root, std::string path) { return slot().ValueExists(r(), root, path); }
    bool writeText(RootType root, std::string path, std::string text) {
        return slot().WriteText(r(), root, path, text);
    }
    bool writeBytes(RootType root, std::string path, Bytes bytes) {
        return slot().WriteBytes(r(), root, path, bytes);
    }
    bool writeInt(RootType root, std::string path, std::int32_t value) {
        return slot().WriteInt(r(), root, path, value);
    }
    Dword typeOf(RootType root, const std::string& keyPath, const std::string& name) {
        Hkey key = 0;
        Dword type = 0, size = 0;
        if (os().RegOpenKeyA(slot().RootHandle(r(), root), keyPath, key) != 0) return 0xFFFF;
        os().RegQueryValueExA(key, name, &type, nullptr, &size);
        os().RegCloseKey(key);
        return type;
    }

    std::unique_ptr<RegistryAccessor> accessor;
    std::string base;
};

TEST_F(RegistryAccessorTest, InitRegistryAccessorKnowsTheSystem) {
    EXPECT_EQ(slot().Is64BitSystem(r()), portIs64BitWindows() ? 1 : 0);
    auto copy = slot().Copy(r());
    EXPECT_EQ(copy->slots, accessor->slots);
    EXPECT_EQ(copy->is64Bit, accessor->is64Bit);
}

TEST_F(RegistryAccessorTest, RootHandleAndRootName) {
    const struct {
        RootType root;
        Hkey handle;
        const char* name;
    } cases[] = {
        {1, win::kHkeyClassesRoot, "HKEY_CLASSES_ROOT"},
        {2, win::kHkeyCurrentConfig, "HKEY_CURRENT_CONFIG"},
        {3, win::kHkeyCurrentUser, "HKEY_CURRENT_USER"},
        {4, win::kHkeyLocalMachine, "HKEY_LOCAL_MACHINE"},
        {5, win::kHkeyUsers, "HKEY_USERS"},
        {0, 0, ""},
        {6, 0, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(slot().RootHandle(r(), c.root), c.handle) << c.root;
        EXPECT_EQ(slot().RootName(r(), c.root), c.name) << c.root;
    }
    EXPECT_EQ(readText(6, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\ProgramFilesDir"), "");
}

TEST_F(RegistryAccessorTest, SplitValuePath) {
    const struct {
        std::string path;
        std::int32_t wholeKeyBefore;
        std::string name, keyPath;
        std::int32_t wholeKeyAfter;
    } cases[] = {
        {"SOFTWARE\\Adobe\\After Effects\\16.0\\InstallPath", 0, "InstallPath",
         "SOFTWARE\\Adobe\\After Effects\\16.0", 0},
        {"NoSeparator", 0, "", "NoSeparator", 0},
        {"Software\\X\\", 0, "", "Software\\X\\", 1},
        {"Software\\X\\Name", 1, "", "Software\\X\\Name", 1},            // already set: no split
        {"Key\\\x95\x5C", 0, "\x95\x5C", "Key", 0},                        // 0x5C as a trail byte
        {"\xB1\x5C" "Name", 0, "", "\xB1\x5C" "Name", 0},                 // no real separator
    };
    for (const auto& c : cases) {
        std::string path = c.path;
        std::int32_t wholeKey = c.wholeKeyBefore;
        EXPECT_EQ(slot().SplitValuePath(r(), path, wholeKey, 0), c.name) << c.path;
        EXPECT_EQ(path, c.keyPath) << c.path;
        EXPECT_EQ(wholeKey, c.wholeKeyAfter) << c.path;
    }
}

TEST_F(RegistryAccessorTest, BytesToHex) {
    const struct {
        Bytes bytes;
        OptionalInt start, count, commas;
        std::string text;
    } cases[] = {
        {{0x0A, 0xFF, 0x41}, {}, {}, {}, "0A,FF,41,"},
        {{0x0A, 0xFF, 0x41}, {}, {}, 0, "0A FF 41 "},
        {{0x0A}, {}, {}, {}, "0A"},
        {{0x0A, 0xFF, 0x41}, 2, 2, {}, "FF,41,"},
        {{0x0A, 0xFF, 0x41}, 2, 1, {}, "FF"},
        {{0x0A, 0xFF, 0x41}, 2, 9, {}, "FF,41,"},  // a count past the end runs to the end
        {{}, {}, {}, {}, ""},
    };
    for (const auto& c : cases) {
        Bytes bytes = c.bytes;
        EXPECT_EQ(slot().BytesToHex(r(), bytes, c.start, c.count, c.commas), c.text);
    }
}

TEST_F(RegistryAccessorTest, TextToWideAndWideToText) {
    std::string empty, ab = "ab", chinese = "\xD6\xD0\xCE\xC4";  // 中文
    EXPECT_EQ(slot().TextToWide(r(), empty), (Bytes{0, 0}));
    EXPECT_EQ(slot().TextToWide(r(), ab), (Bytes{0x61, 0, 0x62, 0, 0, 0}));
    Bytes wide = slot().TextToWide(r(), chinese);
    EXPECT_EQ(wide, (Bytes{0x2D, 0x4E, 0x87, 0x65, 0, 0}));
    EXPECT_EQ(slot().WideToText(r(), wide), chinese);
    Bytes none;
    EXPECT_EQ(slot().WideToText(r(), none), "");
}

TEST_F(RegistryAccessorTest, CallRoutine) {
    std::int32_t result = 0;
    RoutineArguments arguments;
    arguments[0] = 1;
    arguments[2] = 2;  // the absent second argument is skipped, not passed as zero
    arguments[14] = 3;
    EXPECT_TRUE(slot().CallRoutine(r(), routineAddress(standardDigits), 0, 1, result, 0, arguments));
    EXPECT_EQ(result, 123);
    EXPECT_TRUE(slot().CallRoutine(r(), routineAddress(cDigits), 1, 1, result, 0, arguments));
    EXPECT_EQ(result, 123);
    EXPECT_TRUE(slot().CallRoutine(r(), routineAddress(noArguments), 0, 1, result, 0,
                                   RoutineArguments()));
    EXPECT_EQ(result, 42);
    RoutineArguments all;
    for (std::size_t i = 0; i < all.size(); ++i) all[i] = std::int32_t(i + 1);
    EXPECT_TRUE(slot().CallRoutine(r(), routineAddress(fifteen), 0, 1, result, 0, all));
    EXPECT_EQ(result, 1015);
}

TEST_F(RegistryAccessorTest, WritesStoreTheirBytesAndReadsConvertThemByKind) {
    // The stored bytes themselves are checked against the simulation: Wine adds a zero to
    // strings stored without one when it hands them to an ANSI reader.
    std::string path = base + "\\Text";
    std::string text = "abc";
    ASSERT_TRUE(slot().WriteText(r(), kCurrentUser, path, text));
    EXPECT_EQ(path, base);  // split in place
    EXPECT_EQ(readText(kCurrentUser, base + "\\Text"), "abc");
    EXPECT_EQ(typeOf(kCurrentUser, base, "Text"), win::kRegSz);
    EXPECT_EQ(slot().ReadInt(r(), kCurrentUser, path = base + "\\Text"), 0x636261);

    std::string multi = "a\r\nb\rc";
    ASSERT_TRUE(slot().WriteMultiText(r(), kCurrentUser, path = base + "\\Multi", multi));
    EXPECT_EQ(typeOf(kCurrentUser, base, "Multi"), win::kRegMultiSz);
    EXPECT_EQ(slot().ReadMultiText(r(), kCurrentUser, path = base + "\\Multi").substr(0, 6),
              "a\r\nb\rc");

    ASSERT_TRUE(writeInt(kCurrentUser, base + "\\Minus", -1));
    EXPECT_EQ(readBytes(kCurrentUser, base + "\\Minus"), (Bytes{0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(typeOf(kCurrentUser, base, "Minus"), win::kRegDword);
    ASSERT_TRUE(writeInt(kCurrentUser, base + "\\A1", 0x0141));
    EXPECT_EQ(readText(kCurrentUser, base + "\\A1"), "A\x01");  // up to the first zero byte
    EXPECT_EQ(slot().ReadInt(r(), kCurrentUser, path = base + "\\A1"), 0x0141);

    std::string expand = "%TEMP%\\x";
    ASSERT_TRUE(slot().WriteExpandText(r(), kCurrentUser, path = base + "\\Expand", expand));
    EXPECT_EQ(typeOf(kCurrentUser, base, "Expand"), win::kRegExpandSz);
    EXPECT_EQ(slot().ReadExpandText(r(), kCurrentUser, path = base + "\\Expand"), "%TEMP%\\x");

    ASSERT_TRUE(writeBytes(kCurrentUser, base + "\\Short", {0x07}));
    EXPECT_EQ(slot().ReadInt(r(), kCurrentUser, path = base + "\\Short"), 7);  // filled with zeros
    EXPECT_EQ(typeOf(kCurrentUser, base, "Short"), win::kRegBinary);

    ASSERT_TRUE(writeText(kCurrentUser, base + "\\", "default"));
    EXPECT_EQ(readText(kCurrentUser, base + "\\"), "default");
    EXPECT_EQ(readText(kCurrentUser, base + "\\Missing"), "");
    EXPECT_EQ(slot().ReadInt(r(), kCurrentUser, path = base + "\\Missing"), 0);
    EXPECT_FALSE(writeText(0, "Software\\X\\Name", "no root"));
}

TEST_F(RegistryAccessorTest, ValueExistsNeedsAtLeastOneByte) {
    ASSERT_TRUE(writeBytes(kCurrentUser, base + "\\Empty", {}));
    ASSERT_TRUE(writeBytes(kCurrentUser, base + "\\JustZero", {0}));
    ASSERT_TRUE(writeText(kCurrentUser, base + "\\Text", "x"));
    EXPECT_FALSE(exists(kCurrentUser, base + "\\Empty"));
    EXPECT_TRUE(exists(kCurrentUser, base + "\\JustZero"));
    EXPECT_TRUE(exists(kCurrentUser, base + "\\Text"));
    EXPECT_FALSE(exists(kCurrentUser, base + "\\Absent"));
    EXPECT_FALSE(exists(kCurrentUser, base + "Absent\\Text"));
}

// A 32-bit program's default view of HKLM\SOFTWARE is the 32-bit tree; the 64-bit view and
// ValueExists see the native one. HKCU is the same in both.
TEST_F(RegistryAccessorTest, ReadTextView64SeesOnlyTheNativeTree) {
    if (!portIs64BitWindows()) GTEST_SKIP() << "one view only on 32-bit Windows";
    const std::string machine = "SOFTWARE\\VantrelAccessorTest\\" + base.substr(base.rfind('\\') + 1);
    ASSERT_TRUE(writeText(kLocalMachine, machine + "\\Only32", "thirty-two"));
    EXPECT_EQ(readText(kLocalMachine, machine + "\\Only32"), "thirty-two");
    EXPECT_EQ(readTextView64(kLocalMachine, machine + "\\Only32"), "");
    EXPECT_FALSE(exists(kLocalMachine, machine + "\\Only32"));
    const std::string redirected = "SOFTWARE\\WOW6432Node\\VantrelAccessorTest\\" +
                                   base.substr(base.rfind('\\') + 1) + "\\Only32";
    EXPECT_EQ(readTextView64(kLocalMachine, redirected), "thirty-two");

    std::string path = machine + "\\Only64", text = "sixty-four";
    ASSERT_TRUE(slot().WriteTextView64(r(), kLocalMachine, path, text));
    EXPECT_EQ(readTextView64(kLocalMachine, machine + "\\Only64"), "sixty-four");
    EXPECT_TRUE(exists(kLocalMachine, machine + "\\Only64"));
    EXPECT_EQ(readText(kLocalMachine, machine + "\\Only64"), "");

    ASSERT_TRUE(writeText(kCurrentUser, base + "\\Shared", "both"));
    EXPECT_EQ(readTextView64(kCurrentUser, base + "\\Shared"), "both");
}

// What the registry editor made of the generated text, read back from the 64-bit view.
TEST_F(RegistryAccessorTest, WriteIntView64AndTheOtherWritesThroughRegText) {
    if (!portIs64BitWindows()) GTEST_SKIP() << "no 64-bit view on 32-bit Windows";
    const std::string key = "SOFTWARE\\VantrelAccessorTest\\" + base.substr(base.rfind('\\') + 1);
    std::string path;
    ASSERT_TRUE(slot().WriteIntView64(r(), kLocalMachine, path = key + "\\Minus", -1));
    EXPECT_EQ(path, key);
    ASSERT_TRUE(slot().WriteIntView64(r(), kLocalMachine, path = key + "\\Ten", 10));
    Bytes bytes = {0x01, 0x02};
    ASSERT_TRUE(slot().WriteBytesView64(r(), kLocalMachine, path = key + "\\Bytes", bytes));
    // Install paths end in a backslash and texts may hold quotes: stored as asked.
    std::string install = "C:\\Program Files\\Adobe\\", quoted = "say \"hi\"";
    ASSERT_TRUE(slot().WriteTextView64(r(), kLocalMachine, path = key + "\\InstallPath", install));
    ASSERT_TRUE(slot().WriteTextView64(r(), kLocalMachine, path = key + "\\Say \"x\"", quoted));
    std::string fallback = "default";
    ASSERT_TRUE(slot().WriteTextView64(r(), kLocalMachine, path = key + "\\", fallback));

    EXPECT_EQ(slot().ReadIntView64(r(), kLocalMachine, path = key + "\\Minus"), -1);
    EXPECT_EQ(slot().ReadIntView64(r(), kLocalMachine, path = key + "\\Ten"), 10);
    EXPECT_EQ(readBytesView64(kLocalMachine, key + "\\Bytes"), (Bytes{0x01, 0x02}));
    EXPECT_EQ(readTextView64(kLocalMachine, key + "\\InstallPath"), "C:\\Program Files\\Adobe\\");
    EXPECT_EQ(readTextView64(kLocalMachine, key + "\\Say \"x\""), "say \"hi\"");
    EXPECT_EQ(readTextView64(kLocalMachine, key + "\\"), "default");

    // Only text can go to the default value this way.
    EXPECT_FALSE(slot().WriteIntView64(r(), kLocalMachine, path = key + "\\", 1));
    EXPECT_FALSE(slot().WriteBytesView64(r(), kLocalMachine, path = key + "\\", bytes));
}

// Windows' registry editor takes hex(2) and hex(7) data as the UTF-16 it is; Wine's reads the
// hexadecimal strings of a file without a byte-order mark as ANSI bytes.
TEST_F(RegistryAccessorTest, WriteMultiTextView64AndWriteExpandTextView64ExceptUnderWine) {
    if (!portIs64BitWindows()) GTEST_SKIP() << "no 64-bit view on 32-bit Windows";
    const std::string key = "SOFTWARE\\VantrelAccessorTest\\" + base.substr(base.rfind('\\') + 1);
    std::string path, lines = "a\r\nb", expand = "ab";
    ASSERT_TRUE(slot().WriteMultiTextView64(r(), kLocalMachine, path = key + "\\Lines", lines));
    ASSERT_TRUE(slot().WriteExpandTextView64(r(), kLocalMachine, path = key + "\\Expand", expand));
    if (portIsWine()) GTEST_SKIP() << "Wine's registry editor reads these lists as ANSI bytes";
    EXPECT_EQ(slot().ReadMultiTextView64(r(), kLocalMachine, path = key + "\\Lines"),
              "a\r\nb\r\n");  // one zero ends the list as generated
    EXPECT_EQ(slot().ReadExpandTextView64(r(), kLocalMachine, path = key + "\\Expand"), "ab");
}

class ListKeyTreeTest : public RegistryAccessorTest {
protected:
    // A (values p, q; subkeys B, C), B (value r; subkey D), C (value s), D (no values).
    void SetUp() override {
        RegistryAccessorTest::SetUp();
        a = base + "\\A";
        ASSERT_TRUE(writeText(kCurrentUser, a + "\\p", "1"));
        ASSERT_TRUE(writeInt(kCurrentUser, a + "\\q", 2));
        ASSERT_TRUE(writeText(kCurrentUser, a + "\\B\\r", "ab"));
        ASSERT_TRUE(writeText(kCurrentUser, a + "\\C\\s", "4"));
        Hkey d = 0;
        ASSERT_EQ(os().RegCreateKeyA(win::kHkeyCurrentUser, a + "\\B\\D", d), 0);
        os().RegCloseKey(d);
    }

    // "K path" for key entries, "V path name" for value entries.
    static std::vector<std::string> shape(const TreeList& list) {
        std::vector<std::string> lines;
        for (const TreeEntry& entry : list) {
            lines.push_back(entry.entryKind == kKeyEntry
                                ? "K " + entry.entryPath
                                : "V " + entry.entryPath + " " + entry.entryValue.valueName);
        }
        return lines;
    }

    std::string a;
};

TEST_F(ListKeyTreeTest, ListKeyTree) {
    TreeList list = {TreeEntry()};  // whatever was there goes
    std::string path = a + "\\";
    progressSeen.clear();
    EXPECT_EQ(slot().ListKeyTree(r(), list, kCurrentUser, path, 1, routineAddress(recordProgress)), 7);
    EXPECT_EQ(path, a);
    EXPECT_EQ(shape(list), (std::vector<std::string>{
                               "V " + a + " p", "V " + a + " q", "K " + a + "\\B",
                               "V " + a + "\\B r", "K " + a + "\\C", "V " + a + "\\C s",
                               "K " + a + "\\B\\D"}));
    EXPECT_EQ(progressSeen, (std::vector<std::int32_t>{1, 2, 3, 4, 5, 6, 7}));

    // The value records as the listing got them.
    const ValueInfo& q = list[1].entryValue;
    EXPECT_EQ(q.valueType, win::kRegDword);
    EXPECT_EQ(q.valueData, (Bytes{2, 0, 0, 0}));
    const ValueInfo& text = list[3].entryValue;
    EXPECT_EQ(text.valueType, win::kRegSz);
    EXPECT_EQ(text.valueDataSize, 2u);
    ASSERT_EQ(text.valueData.size(), 255u);  // the whole buffer, zeros after the data
    EXPECT_EQ(text.valueData[0], 'a');
    EXPECT_EQ(text.valueData[2], 0);
    EXPECT_EQ(text.valueNameSize, 1u);

    EXPECT_EQ(slot().ListKeyTree(r(), list, kCurrentUser, path, 0, 0), 4);
    EXPECT_EQ(shape(list), (std::vector<std::string>{"K " + a + "\\B", "K " + a + "\\C",
                                                     "V " + a + " p", "V " + a + " q"}));
    EXPECT_EQ(slot().ListKeyTree(r(), list, kCurrentUser, path, 2, 0), 0);
    EXPECT_TRUE(list.empty());
    std::string missing = base + "\\Missing";
    EXPECT_EQ(slot().ListKeyTree(r(), list, kCurrentUser, missing, 1, 0), 0);
}

TEST_F(ListKeyTreeTest, ListKeyTreeStopsAKeysValuesAtOneTooLong) {
    ASSERT_TRUE(writeText(kCurrentUser, a + "\\C\\t", std::string(300, 'x')));
    ASSERT_TRUE(writeText(kCurrentUser, a + "\\C\\u", "after"));
    TreeList list;
    std::string path = a;
    slot().ListKeyTree(r(), list, kCurrentUser, path, 1, 0);
    EXPECT_EQ(shape(list), (std::vector<std::string>{
                               "V " + a + " p", "V " + a + " q", "K " + a + "\\B",
                               "V " + a + "\\B r", "K " + a + "\\C", "V " + a + "\\C s",
                               "K " + a + "\\B\\D"}));
}

TEST_F(ListKeyTreeTest, ListKeyTreeView64) {
    TreeList list = {TreeEntry()};
    std::string path = a;
    const std::int32_t count = slot().ListKeyTreeView64(r(), list, kCurrentUser, path, 1, 0);
    if (!portIs64BitWindows()) {
        EXPECT_EQ(count, 0);
        EXPECT_EQ(list.size(), 1u);  // left exactly as it was
        return;
    }
    ASSERT_EQ(count, 7);  // the current user's tree is the same in both views
    EXPECT_EQ(shape(list)[6], "K " + a + "\\B\\D");
}

TEST_F(ListKeyTreeTest, DeleteEntryTakesTheLastComponentAsASubkey) {
    ASSERT_TRUE(writeText(kCurrentUser, a + "\\B", "a value named like the subkey"));
    ASSERT_TRUE(writeText(kCurrentUser, a + "\\", "default"));
    std::string path = a + "\\C";
    EXPECT_TRUE(slot().DeleteEntry(r(), kCurrentUser, path, std::nullopt));
    EXPECT_EQ(readText(kCurrentUser, a + "\\C\\s"), "");
    EXPECT_FALSE(slot().DeleteEntry(r(), kCurrentUser, path = a + "\\B", std::nullopt))
        << "a key with subkeys is not deleted";
    EXPECT_EQ(readText(kCurrentUser, a + "\\B"), "a value named like the subkey");
    EXPECT_TRUE(slot().DeleteEntry(r(), kCurrentUser, path = a + "\\", std::nullopt));
    EXPECT_EQ(readText(kCurrentUser, a + "\\"), "");
    EXPECT_EQ(readText(kCurrentUser, a + "\\p"), "1");
    EXPECT_FALSE(slot().DeleteEntry(r(), kCurrentUser, path = base + "\\Missing\\X", std::nullopt));
}

TEST_F(ListKeyTreeTest, DeleteEntryView64) {
    std::string path = a + "\\C";
    const bool deleted = slot().DeleteEntryView64(r(), kCurrentUser, path, std::nullopt);
    EXPECT_EQ(deleted, portIs64BitWindows());
    EXPECT_EQ(readText(kCurrentUser, a + "\\C\\s"), portIs64BitWindows() ? "" : "4");
    // Its key is opened for querying only, which a value deletion needs more than.
    ASSERT_TRUE(writeText(kCurrentUser, a + "\\", "default"));
    EXPECT_FALSE(slot().DeleteEntryView64(r(), kCurrentUser, path = a + "\\", std::nullopt));
    EXPECT_EQ(readText(kCurrentUser, a + "\\"), "default");
}
}  // namespace
