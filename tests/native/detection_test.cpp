#include <filesystem>
#include <fstream>

#include "app/globals.h"
#include "tests/native/sim_fixture.h"

namespace fs = std::filesystem;

namespace {
const std::string kAfterEffects = "SOFTWARE\\Adobe\\After Effects\\";
constexpr const char* kOlderLabels[] = {"AE2014语言", "AE2015语言", "AE2016语言", "AE2017语言",
                                        "AE2018语言"};

enum class Marker { None, File, Folder };

struct Scenario {
    const char* name;
    bool windows64 = true;
    const char* installPath2019 = "C:\\AE2019\\";  // in the 64-bit view; null: not installed
    std::string configuration = "<locale code=\"zh_CN\"/>";
    Marker marker = Marker::None;
    std::vector<std::string> olderInstalled = {};  // registry versions, in the 64-bit view
    std::vector<std::string> olderOnlyIn32BitView = {};
    // Expected: CC2019's word, then the five older labels ("" for untouched), then the path box.
    const char* word2019 = "中文";
    std::vector<const char*> older = {"", "", "", "", ""};
    const char* pathBox = "C:\\AE2019\\AMT\\application.xml";
};

class Detection : public SimulatedWindows {
protected:
    void arrange(const Scenario& s) {
        os.setWindows64(s.windows64);
        const RegView native = s.windows64 ? RegView::Wow64_64 : RegView::Default;
        if (s.installPath2019) {
            os.setRegistryString(win::kHkeyLocalMachine, kAfterEffects + "16.0", "InstallPath",
                                 s.installPath2019, native);
            fs::create_directories(root / "c" / "AE2019" / "AMT");
            std::ofstream(root / "c" / "AE2019" / "AMT" / "application.xml", std::ios::binary)
                << s.configuration;
        }
        for (const std::string& version : s.olderInstalled) {
            os.setRegistryString(win::kHkeyLocalMachine, kAfterEffects + version, "InstallPath",
                                 "C:\\AE\\", native);
        }
        for (const std::string& version : s.olderOnlyIn32BitView) {
            os.setRegistryString(win::kHkeyLocalMachine, kAfterEffects + version, "InstallPath",
                                 "C:\\AE\\", RegView::Default);
        }
        const fs::path marker = os.hostPath(std::string(kDocuments) + "\\ae_force_english.txt");
        if (s.marker == Marker::File) std::ofstream(marker).flush();
        if (s.marker == Marker::Folder) fs::create_directory(marker);
    }

    std::string caption(const char* control) {
        return ui.window(mainWindow).controls.at(control).caption;
    }
};

class DetectionScenario : public Detection, public ::testing::WithParamInterface<Scenario> {};

TEST_P(DetectionScenario, FillsTheLabelsFromTheRegistryTheConfigurationAndTheMarker) {
    const Scenario& s = GetParam();
    SCOPED_TRACE(s.name);
    arrange(s);
    ASSERT_EQ(runProgram(), 0);
    EXPECT_EQ(caption("AE2019语言"), gbk(s.word2019));
    EXPECT_EQ(caption("当前语言"), gbk(s.word2019));
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(caption(kOlderLabels[i]), gbk(s.older[i])) << kOlderLabels[i];
    }
    EXPECT_EQ(caption("编辑框19"), s.pathBox);
}

const Scenario kScenarios[] = {
    {"Chinese CC2019"},
    {"Chinese CC2019 whatever the marker", true, "C:\\AE2019\\", "zh_CN", Marker::File},
    {"locale in upper case", true, "C:\\AE2019\\", "ZH_CN zh-CN", Marker::None, {}, {}, "英文"},
    {"UTF-16 file", true, "C:\\AE2019\\", std::string("<\0z\0h\0_\0C\0N\0>\0", 14),
     Marker::None, {}, {}, "英文"},
    {"zh_CN begins inside a double-byte character", true, "C:\\AE2019\\", "\xD6zh_CN",
     Marker::None, {}, {}, "英文"},
    {"zh_CN after a whole double-byte character", true, "C:\\AE2019\\", "\xD6\xD0zh_CN"},
    {"no trailing backslash", true, "C:\\AE2019", "zh_CN", Marker::None, {}, {}, "英文",
     {"", "", "", "", ""}, "C:\\AE2019AMT\\application.xml"},
    {"no CC2019", true, nullptr, "", Marker::None, {}, {}, "英文", {"", "", "", "", ""},
     "AMT\\application.xml"},
    {"32-bit Windows sees no 64-bit view", false, "C:\\AE2019\\", "zh_CN", Marker::None, {},
     {}, "英文", {"", "", "", "", ""}, "AMT\\application.xml"},
    {"marker: every installed older version is English", true, "C:\\AE2019\\", "zh_CN",
     Marker::File, {"14.0", "15.0"}, {}, "中文", {"", "", "", "英文", "英文"}},
    {"no marker: only the first installed older version is Chinese", true, "C:\\AE2019\\",
     "zh_CN", Marker::None, {"14.0", "15.0"}, {}, "中文", {"", "", "", "中文", ""}},
    {"a folder counts as the marker", true, "C:\\AE2019\\", "zh_CN", Marker::Folder, {"13"},
     {}, "中文", {"英文", "", "", "", ""}},
    {"the first in table order, not in the order installed", true, "C:\\AE2019\\", "zh_CN",
     Marker::None, {"13.8", "13.5"}, {}, "中文", {"", "中文", "", "", ""}},
    {"CC2015.3 is 13.8, shown in the label named 2016", true, "C:\\AE2019\\", "zh_CN",
     Marker::File, {"13.8"}, {}, "中文", {"", "", "英文", "", ""}},
    {"only in the 32-bit view counts as not installed", true, "C:\\AE2019\\", "zh_CN",
     Marker::File, {}, {"13", "15.0"}, "中文", {"", "", "", "", ""}},
    {"32-bit Windows has one view for the older versions", false, nullptr, "", Marker::File,
     {"13.5"}, {}, "英文", {"", "英文", "", "", ""}, "AMT\\application.xml"},
};

INSTANTIATE_TEST_SUITE_P(Scenarios, DetectionScenario, ::testing::ValuesIn(kScenarios));

TEST_F(Detection, TheConfigurationIsLookedForInTheProgramsFolderWithoutCC2019) {
    fs::create_directories(os.hostPath("C:\\Program Files\\Vantrel") / "AMT");
    std::ofstream(os.hostPath("C:\\Program Files\\Vantrel") / "AMT" / "application.xml") << "zh_CN";
    std::string during;
    runProgram({[&] { during = languageAE2019; }});
    EXPECT_EQ(during, gbk("中文"));
    EXPECT_EQ(caption("当前语言"), gbk("中文"));
}

TEST_F(Detection, AConfigurationLockedAgainstReadingCountsAsEnglish) {
    Scenario s{"locked"};
    arrange(s);
    // Another program holds it open for writing without sharing it.
    const Handle holder = os.CreateFileA("C:\\AE2019\\AMT\\application.xml", win::kGenericWrite,
                                         0, win::kOpenExisting, 0);
    ASSERT_NE(holder, win::kInvalidHandle);
    runProgram();
    os.CloseHandle(holder);
    EXPECT_EQ(caption("当前语言"), gbk("英文"));
}
}  // namespace
