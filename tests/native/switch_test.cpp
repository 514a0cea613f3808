#include <filesystem>
#include <fstream>

#include "app/globals.h"
#include "tests/native/sim_fixture.h"

namespace fs = std::filesystem;

namespace {
class LanguageSwitch : public SimulatedWindows {
protected:
    const std::string marker = std::string(kDocuments) + "\\ae_force_english.txt";

    // Clicks the switch `clicks` times; gives the language shown after each click.
    std::vector<std::string> clickSwitch(int clicks) {
        std::vector<std::string> shown;
        std::vector<std::function<void()>> actions;
        for (int i = 0; i < clicks; ++i) {
            actions.push_back([&] {
                ui.click(mainWindow, "切换_按钮");
                shown.push_back(ui.caption(mainWindow, "当前语言"));
            });
        }
        EXPECT_EQ(runProgram(actions), 0);
        return shown;
    }

    std::vector<std::string> words(std::initializer_list<const char*> utf8) {
        std::vector<std::string> result;
        for (const char* word : utf8) result.push_back(gbk(word));
        return result;
    }
};

TEST_F(LanguageSwitch, EachClickTogglesAnEmptyMarkerInTheDocumentsFolder) {
    std::vector<std::function<void()>> actions;
    bool presentAfterFirst = false;
    std::uintmax_t sizeAfterFirst = 1;
    std::vector<std::string> shown;
    auto click = [&] {
        ui.click(mainWindow, "切换_按钮");
        shown.push_back(ui.caption(mainWindow, "当前语言"));
    };
    const fs::path onHost = root / "c" / "Users" / "用户" / "Documents" / "ae_force_english.txt";
    const int exitCode = runProgram({
        [&] {
            // What the detection would have written stays as it is.
            ui.setCaption(mainWindow, "AE2019语言", gbk("中文"));
            languageAE2019 = gbk("中文");
        },
        click,
        [&] {
            presentAfterFirst = fs::exists(onHost);
            if (presentAfterFirst) sizeAfterFirst = fs::file_size(onHost);
        },
        click,
        [&] {
            EXPECT_EQ(ui.caption(mainWindow, "AE2019语言"), gbk("中文"));
            EXPECT_EQ(languageAE2019, gbk("中文"));
        },
    });
    EXPECT_EQ(exitCode, 0);
    EXPECT_TRUE(presentAfterFirst);
    EXPECT_EQ(sizeAfterFirst, 0u);
    EXPECT_FALSE(fs::exists(onHost));
    EXPECT_EQ(shown, words({"英文", "中文"}));
}

TEST_F(LanguageSwitch, AMarkerThatCannotBeDeletedKeepsShowingEnglish) {
    ASSERT_TRUE(std::ofstream(os.hostPath(marker)).good());
    os.SetFileAttributesA(marker, win::kAttributeReadOnly);
    EXPECT_EQ(clickSwitch(2), words({"英文", "英文"}));
    EXPECT_TRUE(fs::exists(os.hostPath(marker)));
}

TEST_F(LanguageSwitch, AFolderNamedLikeTheMarkerCountsAsPresentAndStays) {
    fs::create_directory(os.hostPath(marker));
    EXPECT_EQ(clickSwitch(2), words({"英文", "英文"}));
    EXPECT_TRUE(fs::is_directory(os.hostPath(marker)));
}

TEST_F(LanguageSwitch, AnUnwritableDocumentsFolderKeepsShowingChinese) {
    os.denyCreatingIn(kDocuments);
    EXPECT_EQ(clickSwitch(2), words({"中文", "中文"}));
    EXPECT_FALSE(fs::exists(os.hostPath(marker)));
}

TEST_F(LanguageSwitch, WithoutADocumentsFolderTheMarkerIsInTheRootOfTheProgramsDrive) {
    fs::create_directories(root / "d" / "Tools");
    os.setModuleFileName("D:\\Tools\\Vantrel.exe");
    os.setSpecialFolder(win::kCsidlPersonal, std::nullopt);
    bool inRoot = false;
    std::vector<std::string> shown;
    runProgram({[&] {
        ui.click(mainWindow, "切换_按钮");
        shown.push_back(ui.caption(mainWindow, "当前语言"));
        inRoot = fs::exists(root / "d" / "ae_force_english.txt");
    }});
    EXPECT_TRUE(inRoot);
    EXPECT_EQ(shown, words({"英文"}));
}

TEST_F(LanguageSwitch, ADocumentsPathEndingInABackslashGetsNoSecondOne) {
    // Either way the doubled separator is read as one; the marker lands in the same place.
    os.setSpecialFolder(win::kCsidlPersonal, std::string(kDocuments) + "\\");
    EXPECT_EQ(clickSwitch(1), words({"英文"}));
    EXPECT_TRUE(fs::exists(os.hostPath(marker)));
}
}  // namespace
