#include "app/globals.h"
#include "app/startup.h"
#include "tests/native/sim_fixture.h"

namespace {
using MainWindow = SimulatedWindows;

TEST_F(MainWindow, IsPlacedLeftOfAndAboveTheCentreOfThePrimaryScreen) {
    const struct {
        Size screen;
        int left, top;
    } cases[] = {
        {{1920, 1080}, 775, 322},
        {{1366, 768}, 498, 166},  // 498.5 truncates
        {{1024, 400}, 327, -18},  // the title bar partly above the screen
        {{1024, 401}, 327, -17},  // -17.5 truncates toward zero, not down
        {{368, 768}, 0, 166},     // -0.5 becomes 0
        {{367, 768}, -1, 166},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.screen.width) + "x" + std::to_string(c.screen.height));
        HeadlessUi fresh;
        installUi(&fresh);
        fresh.setPrimaryScreen(c.screen);
        fresh.script([&] { fresh.close(mainWindow); });
        programState = ProgramState::Starting;
        ASSERT_EQ(startUp(), 0);
        const Rect place = fresh.window(mainWindow).place;
        EXPECT_EQ(place.left, c.left);
        EXPECT_EQ(place.top, c.top);
        EXPECT_EQ(place.width, 269);
        EXPECT_EQ(place.height, 236);
        EXPECT_EQ(screenWidth, c.screen.width);
        EXPECT_EQ(screenHeight, c.screen.height);
    }
}

TEST_F(MainWindow, TitleCarriesTheVersion) {
    runProgram();
    const auto& window = ui.window(mainWindow);
    EXPECT_EQ(window.title, "Vantrel v1.2");
    EXPECT_EQ(window.controls.at("版本号").caption, "1.2");
    EXPECT_EQ(window.controls.at("切换_按钮").caption, gbk("一键切换AE中英文"));
    EXPECT_FALSE(window.form.frame.minimizeBox || window.form.frame.maximizeBox ||
                 window.form.frame.resizable);
}

TEST_F(MainWindow, TheHyperlinkOpensTheMakersPageInTheDefaultBrowser) {
    runProgram({[&] { ui.pressLeftButton(mainWindow, "超级链接框1"); }});
    const auto opens = os.shellOpens();
    ASSERT_EQ(opens.size(), 1u);
    EXPECT_EQ(opens[0].verb, "open");
    EXPECT_EQ(opens[0].file, std::string("http://") + VANTREL_SITE_HOST + "/612.html");
    EXPECT_EQ(opens[0].showCommand, win::kSwShowNormal);
}
}  // namespace
