// What only the simulated Windows can show of the registry accessor: 32-bit Windows, failing
// redirection, the calls in their order, the brackets and handles closed on every path, the
// generated .reg text, the temporary file and the registry editor's command line.
#include <fstream>
#include <iterator>

#include "app/globals.h"
#include "platform/sim/sim_regedit.h"
#include "registry/registry_accessor.h"
#include "tests/native/sim_fixture.h"

namespace {
constexpr RootType kLocalMachine = 4, kUsers = 5;
const std::string kInstallKey = "SOFTWARE\\Adobe\\After Effects\\16.0";

class RegistryAccessorSim : public SimulatedWindows {
protected:
    void SetUp() override { useAccessor(); }
    void TearDown() override { releaseRegistryAccessor(accessor); }

    void useAccessor() {
        releaseRegistryAccessor(accessor);
        accessor = createRegistryAccessor();
    }
    RegistryAccessor& r() { return *accessor; }
    const RegistrySlots& slot() { return *accessor->slots; }
    std::string readTextView64(std::string path) { return slot().ReadTextView64(r(), kLocalMachine, path); }
    bool exists(std::string path) { return slot().ValueExists(r(), kLocalMachine, path); }

    std::vector<std::string> functionsCalled() {
        std::vector<std::string> names;
        for (const auto& call : os.callLog()) names.push_back(call.function);
        return names;
    }

    // The .reg texts handed to the registry editor, read while it "runs".
    std::vector<std::string> captureImports() {
        imports.clear();
        os.setProcessStartHook([this](const std::string& commandLine) {
            std::ifstream file(os.hostPath(regeditFile(commandLine)), std::ios::binary);
            imports.push_back(std::string(std::istreambuf_iterator<char>(file), {}));
            return true;
        });
        return imports;
    }

    void expectEverythingClosed() {
        EXPECT_EQ(os.openRedirectionBrackets(), 0);
        EXPECT_FALSE(os.redirectionOffOnThisThread());
        EXPECT_EQ(os.openRegistryKeys(), 0u);
        EXPECT_EQ(os.openProcessHandles(), 0u);
    }

    std::unique_ptr<RegistryAccessor> accessor;
    std::vector<std::string> imports;
};

TEST_F(RegistryAccessorSim, InitRegistryAccessorLooksTheRoutineUpByName) {
    EXPECT_EQ(r().is64Bit, 1);
    os.setWindows64(false);
    useAccessor();
    EXPECT_EQ(r().is64Bit, 0);  // the routine is there but names no folder
    // Older 32-bit Windows lack the routine: it is not called at all.
    os.setWow64RoutinesExported(false);
    os.clearCallLog();
    useAccessor();
    EXPECT_EQ(r().is64Bit, 0);
    ASSERT_EQ(os.callLog().size(), 2u);
    EXPECT_EQ(os.callLog()[0].name, "kernel32.dll");
    EXPECT_EQ(os.callLog()[1].name, "GetSystemWow64DirectoryA");
}

TEST_F(RegistryAccessorSim, On32BitWindowsTheView64OperationsTouchNothing) {
    os.setWindows64(false);
    os.setRegistryString(win::kHkeyLocalMachine, kInstallKey, "InstallPath", "C:\\AE\\");
    useAccessor();
    os.clearCallLog();
    EXPECT_EQ(readTextView64(kInstallKey + "\\InstallPath"), "");
    TreeList list(3);
    std::string key = kInstallKey;
    EXPECT_EQ(slot().ListKeyTreeView64(r(), list, kLocalMachine, key, 1, 0), 0);
    EXPECT_EQ(list.size(), 3u);
    EXPECT_FALSE(slot().DeleteEntryView64(r(), kLocalMachine, key, std::nullopt));
    std::string path = kInstallKey + "\\Count";
    EXPECT_FALSE(slot().WriteIntView64(r(), kLocalMachine, path, 1));
    EXPECT_TRUE(os.callLog().empty());
    EXPECT_TRUE(os.processStarts().empty());

    // The default view and the existence test still work there.
    EXPECT_TRUE(exists(kInstallKey + "\\InstallPath"));
    path = kInstallKey + "\\InstallPath";
    EXPECT_EQ(slot().ReadText(r(), kLocalMachine, path), "C:\\AE\\");
    captureImports();
    std::string text = "Windows Registry Editor Version 5.00\r\n";
    EXPECT_TRUE(slot().ImportRegText(r(), text));
    ASSERT_EQ(os.processStarts().size(), 1u);
    EXPECT_FALSE(os.processStarts()[0].redirectionOff);
    for (const auto& call : os.callLog()) EXPECT_EQ(call.function.find("Wow64"), std::string::npos);
}

TEST_F(RegistryAccessorSim, RedirectionThatCannotBeTurnedOffGivesNothingAndNoFallback) {
    os.setRegistryString(win::kHkeyLocalMachine, kInstallKey, "InstallPath", "C:\\AE\\",
                         RegView::Wow64_64);
    os.setRegistryString(win::kHkeyLocalMachine, kInstallKey, "InstallPath", "C:\\AE32\\");
    os.failRedirection(true);
    os.clearCallLog();
    EXPECT_EQ(readTextView64(kInstallKey + "\\InstallPath"), "");
    EXPECT_FALSE(exists(kInstallKey + "\\InstallPath"));
    TreeList list(1);
    std::string key = kInstallKey;
    EXPECT_EQ(slot().ListKeyTreeView64(r(), list, kLocalMachine, key, 1, 0), 0);
    EXPECT_EQ(list.size(), 1u);
    for (const auto& call : os.callLog()) EXPECT_EQ(call.function.rfind("Reg", 0), std::string::npos);
    expectEverythingClosed();
}

TEST_F(RegistryAccessorSim, ReadTextView64CallsInOrderWithTheBracketAround) {
    os.setRegistryString(win::kHkeyLocalMachine, kInstallKey, "InstallPath", "C:\\AE\\",
                         RegView::Wow64_64);
    os.clearCallLog();
    std::string path = kInstallKey + "\\InstallPath";
    EXPECT_EQ(slot().ReadTextView64(r(), kLocalMachine, path), "C:\\AE\\");
    EXPECT_EQ(path, kInstallKey);
    EXPECT_EQ(functionsCalled(),
              (std::vector<std::string>{"Wow64DisableWow64FsRedirection", "RegOpenKeyExA",
                                        "RegDisableReflectionKey", "RegQueryValueExA",
                                        "RegQueryValueExA", "RegEnableReflectionKey",
                                        "RegCloseKey", "Wow64RevertWow64FsRedirection"}));
    EXPECT_EQ(os.callLog()[1].view, RegView::Wow64_64);
    expectEverythingClosed();
}

TEST_F(RegistryAccessorSim, EveryPathClosesTheBracketAndTheKeys) {
    os.setRegistryString(win::kHkeyLocalMachine, kInstallKey, "InstallPath", "C:\\AE\\",
                         RegView::Wow64_64);
    for (const std::string& path : {kInstallKey + "\\InstallPath", kInstallKey + "\\Missing",
                                   std::string("SOFTWARE\\Nowhere\\X")}) {
        SCOPED_TRACE(path);
        readTextView64(path);
        expectEverythingClosed();
        exists(path);
        expectEverythingClosed();
        std::string copy = path;
        slot().DeleteEntryView64(r(), kLocalMachine, copy, std::nullopt);
        expectEverythingClosed();
        TreeList list;
        copy = path;
        slot().ListKeyTreeView64(r(), list, kLocalMachine, copy, 1, 0);
        expectEverythingClosed();
    }
    EXPECT_FALSE(os.reflectionDisabled(win::kHkeyLocalMachine, kInstallKey, RegView::Wow64_64));
}

// Below a root: a name of nothing but spaces ends the root's listing; one level lists the root's
// own values with an empty path. The whole tree lists neither the root's values nor those of
// its direct subkeys: the walk lists values only of the keys it finds below them.
TEST_F(RegistryAccessorSim, ListKeyTreeFromARoot) {
    for (const char* name : {"a", "b", "\xA1\xA1", "\xA1\xA1z"}) {
        os.createRegistryKey(win::kHkeyUsers, name);
    }
    os.setRegistryString(win::kHkeyUsers, "a", "inA", "1");
    os.setRegistryString(win::kHkeyUsers, "", "atRoot", "2");
    const struct {
        std::int32_t recursive;
        std::vector<std::string> entries;
    } cases[] = {
        {0, {"K a", "K b", "V  atRoot"}},
        {1, {"K a", "K b"}},
        {2, {"K a", "K b"}},
    };
    for (const auto& c : cases) {
        TreeList list;
        std::string empty;
        slot().ListKeyTree(r(), list, kUsers, empty, c.recursive, 0);
        std::vector<std::string> shape;
        for (const TreeEntry& entry : list) {
            shape.push_back(entry.entryKind == kKeyEntry
                                ? "K " + entry.entryPath
                                : "V " + entry.entryPath + " " + entry.entryValue.valueName);
        }
        EXPECT_EQ(shape, c.entries) << "recursive " << c.recursive;
        expectEverythingClosed();
    }
    EXPECT_GT(ui.pendingMessagesProcessed(), 0);  // long walks keep the window alive
}

TEST_F(RegistryAccessorSim, TheView64WritesGenerateThisRegText) {
    const std::string header = "Windows Registry Editor Version 5.00\r\n\r\n";
    const std::string key = "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Example]\r\n";
    captureImports();
    std::string path = "SOFTWARE\\Example\\Count";
    ASSERT_TRUE(slot().WriteIntView64(r(), kLocalMachine, path, 255));
    std::string minus = "SOFTWARE\\Example\\Minus";
    ASSERT_TRUE(slot().WriteIntView64(r(), kLocalMachine, minus, -1));
    Bytes two = {0x01, 0x02}, one = {0x01};
    std::string b1 = "SOFTWARE\\Example\\Two", b2 = "SOFTWARE\\Example\\One";
    ASSERT_TRUE(slot().WriteBytesView64(r(), kLocalMachine, b1, two));
    ASSERT_TRUE(slot().WriteBytesView64(r(), kLocalMachine, b2, one));
    std::string e1 = "SOFTWARE\\Example\\E", ab = "ab", e2 = "SOFTWARE\\Example\\E0", none;
    ASSERT_TRUE(slot().WriteExpandTextView64(r(), kLocalMachine, e1, ab));
    ASSERT_TRUE(slot().WriteExpandTextView64(r(), kLocalMachine, e2, none));
    std::string m = "SOFTWARE\\Example\\M", lines = "a\r\nb";
    ASSERT_TRUE(slot().WriteMultiTextView64(r(), kLocalMachine, m, lines));
    // Backslashes and quotes are escaped as the format needs; the key line stays as it is.
    std::string t = "SOFTWARE\\Example\\Say \"so\"", text = "C:\\AE\\\"x\"";
    ASSERT_TRUE(slot().WriteTextView64(r(), kLocalMachine, t, text));
    std::string d = "SOFTWARE\\Example\\", dt = "d";
    ASSERT_TRUE(slot().WriteTextView64(r(), kLocalMachine, d, dt));
    EXPECT_EQ(path, "SOFTWARE\\Example");

    const std::vector<std::string> expected = {
        header + key + "\"Count\"=dword:000000FF\r\n",
        header + key + "\"Minus\"=dword:FFFFFFFF\r\n",
        header + key + "\"Two\"=hex:01,02,\r\n",
        header + key + "\"One\"=hex:01\r\n",
        header + key + "\"E\"=hex(2):61,00,62,00,00,00,\r\n",
        header + key + "\"E0\"=hex(2):00,00,\r\n",
        header + key + "\"M\"=hex(7):61,00,00,00,62,00,00,00,\r\n",
        header + key + "\"Say \\\"so\\\"\"=\"C:\\\\AE\\\\\\\"x\\\"\"\r\n",
        header + "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Example\\]\r\n@=\"d\"\r\n",
    };
    EXPECT_EQ(imports, expected);

    // Only text goes to a default value this way.
    std::string dflt = "SOFTWARE\\Example\\";
    EXPECT_FALSE(slot().WriteIntView64(r(), kLocalMachine, dflt, 1));
    EXPECT_EQ(imports.size(), expected.size());
    expectEverythingClosed();
}

TEST_F(RegistryAccessorSim, ImportRegTextUsesAFreshTemporaryFileAndQuotesItsPath) {
    const std::string temp = "C:\\Users\\\xD3\xC3\xBB\xA7 two\\Temp\\";  // 用户 two
    std::filesystem::create_directories(root / "c" / "Users" / "用户 two" / "Temp");
    os.setTempPath(temp);
    os.setTickCount(0x1000);
    std::vector<std::string> commands;
    std::vector<bool> presentDuring;
    os.setProcessStartHook([&](const std::string& commandLine) {
        commands.push_back(commandLine);
        presentDuring.push_back(std::filesystem::exists(os.hostPath(regeditFile(commandLine))));
        return true;
    });
    std::string text = "Windows Registry Editor Version 5.00\r\n";
    ASSERT_TRUE(slot().ImportRegText(r(), text));
    ASSERT_EQ(commands.size(), 1u);
    const std::string first = regeditFile(commands[0]);
    ASSERT_EQ(first.rfind(temp, 0), 0u) << first;
    const unsigned long number = std::stoul(first.substr(temp.size()), nullptr, 16);
    EXPECT_EQ(commands[0], "regedit /s \"" + first + "\"");
    EXPECT_EQ(first.substr(first.size() - 4), ".tmp");
    EXPECT_EQ(os.processStarts()[0].showCommand, win::kSwHide);
    EXPECT_TRUE(os.processStarts()[0].redirectionOff);

    // The next name counts on; one that is taken is passed over.
    char taken[32];
    std::snprintf(taken, sizeof taken, "%lx.tmp", number + 1);
    std::ofstream(os.hostPath(temp + taken)).put('x');
    ASSERT_TRUE(slot().ImportRegText(r(), text));
    char next[32];
    std::snprintf(next, sizeof next, "%lx.tmp", number + 2);
    EXPECT_EQ(regeditFile(commands[1]), temp + next);
    EXPECT_EQ(presentDuring, (std::vector<bool>{true, true}));
    EXPECT_FALSE(std::filesystem::exists(os.hostPath(first)));
    EXPECT_FALSE(std::filesystem::exists(os.hostPath(temp + next)));
    expectEverythingClosed();
}

TEST_F(RegistryAccessorSim, ImportsThatCannotStartOrWriteSayFalse) {
    os.setTempPath(std::string("C:\\Temp\\"));
    std::filesystem::create_directories(root / "c" / "Temp");
    std::string text = "Windows Registry Editor Version 5.00\r\n";
    os.setProcessStartHook([](const std::string&) { return false; });
    EXPECT_FALSE(slot().ImportRegText(r(), text));
    EXPECT_TRUE(std::filesystem::is_empty(root / "c" / "Temp"));  // removed all the same

    os.denyCreatingIn("C:\\Temp");
    os.setProcessStartHook(nullptr);
    EXPECT_FALSE(slot().ImportRegText(r(), text));
    EXPECT_EQ(os.processStarts().size(), 1u);  // only the first tried to start

    std::string missing = "C:\\Temp\\none.reg";
    EXPECT_FALSE(slot().ImportRegFile(r(), missing));
    EXPECT_EQ(os.processStarts().size(), 1u);
    expectEverythingClosed();
}

// What the writes hand to the registry; Wine's registry may add a terminating zero on reading.
TEST_F(RegistryAccessorSim, WritesHandTheRegistryExactlyTheirBytes) {
    std::string path, text;
    Bytes none;
    auto stored = [&](const char* name) { return os.registryValue(win::kHkeyCurrentUser, "Software\\X", name); };
    ASSERT_TRUE(slot().WriteText(r(), 3, path = "Software\\X\\Text", text = "abc"));
    ASSERT_TRUE(slot().WriteMultiText(r(), 3, path = "Software\\X\\Multi", text = "a\r\nb\rc\n"));
    ASSERT_TRUE(slot().WriteExpandText(r(), 3, path = "Software\\X\\Expand", text = "%A%"));
    ASSERT_TRUE(slot().WriteInt(r(), 3, path = "Software\\X\\Minus", -1));
    ASSERT_TRUE(slot().WriteInt(r(), 3, path = "Software\\X\\One", 1));
    ASSERT_TRUE(slot().WriteBytes(r(), 3, path = "Software\\X\\Empty", none));
    const struct {
        const char* name;
        Dword type;
        Bytes data;
    } cases[] = {
        {"Text", win::kRegSz, {'a', 'b', 'c'}},
        {"Multi", win::kRegMultiSz, {'a', 0, 'b', '\r', 'c', '\n'}},
        {"Expand", win::kRegExpandSz, {'%', 'A', '%'}},
        {"Minus", win::kRegDword, {0xFF, 0xFF, 0xFF, 0xFF}},
        {"One", win::kRegDword, {0x01, 0, 0, 0}},
        {"Empty", win::kRegBinary, {}},
    };
    for (const auto& c : cases) {
        const auto value = stored(c.name);
        ASSERT_TRUE(value.has_value()) << c.name;
        EXPECT_EQ(value->type, c.type) << c.name;
        EXPECT_EQ(value->data, c.data) << c.name;
    }
    expectEverythingClosed();
}

TEST_F(RegistryAccessorSim, StartUpCreatesTheAccessorAndTheCleanUpReleasesIt) {
    bool createdDuringRun = false;
    runProgram({[&] { createdDuringRun = registry != nullptr && registry->is64Bit == 1; }});
    EXPECT_TRUE(createdDuringRun);
    EXPECT_EQ(registry, nullptr);
}
}  // namespace
