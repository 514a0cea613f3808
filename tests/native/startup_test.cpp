#include "app/globals.h"
#include "app/startup.h"
#include "tests/native/sim_fixture.h"

namespace {
using StartUp = SimulatedWindows;

TEST_F(StartUp, RunsInTheProgramFolderAndEndsWithZeroWhenTheWindowCloses) {
    std::string during;
    const int exitCode = runProgram({[&] { os.GetCurrentDirectoryA(during); }});
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(during, "C:\\Program Files\\Vantrel");
    EXPECT_EQ(ui.openWindowCount(), 0);
    EXPECT_EQ(programState, ProgramState::Ended);
    EXPECT_EQ(taskParam, nullptr);  // the clean-up released it
}

TEST_F(StartUp, AProgramInADrivesRootWorksInThatRoot) {
    std::filesystem::create_directories(root / "d");
    os.setModuleFileName("D:\\Vantrel.exe");
    std::string during;
    EXPECT_EQ(runProgram({[&] { os.GetCurrentDirectoryA(during); }}), 0);
    EXPECT_EQ(during, "D:\\");
}

TEST_F(StartUp, AMainWindowThatCannotBeCreatedIsFatalAndSkipsTheCleanUp) {
    ui.failWindowCreation();
    EXPECT_EQ(startUp(), -1);
    ASSERT_EQ(ui.shownBoxes().size(), 1u);
    EXPECT_EQ(ui.shownBoxes()[0].text, gbk("载入启动窗口失败"));
    EXPECT_EQ(ui.shownBoxes()[0].style, MessageBoxStyle::Error);
    EXPECT_NE(programState, ProgramState::Ended);
    EXPECT_NE(taskParam, nullptr);
}

TEST_F(StartUp, TheExitCleanUpRunsOnce) {
    ASSERT_EQ(runProgram(), 0);
    taskParam = std::make_unique<TaskParam>();
    exitCleanUp();
    EXPECT_NE(taskParam, nullptr) << "a second clean-up released state again";
    taskParam.reset();
}

TEST_F(StartUp, TheTaskDescriptionStartsWithTheEngineDefaults) {
    std::unique_ptr<TaskParam> seen;
    runProgram({[&] { seen = std::make_unique<TaskParam>(*taskParam); }});
    ASSERT_NE(seen, nullptr);
    const TaskParam& p = *seen;
    EXPECT_EQ(p.Flags, 1);
    EXPECT_EQ(p.Url, "");
    EXPECT_EQ(p.LocalFile, "");
    EXPECT_EQ(p.UserName, "anonymous");
    EXPECT_NE(p.Password.find('@'), std::string::npos);
    EXPECT_EQ(p.ThreadCount, 1);
    EXPECT_EQ(p.SpeedLimit, 0);
    EXPECT_EQ(p.ConnectTimeout, 20000);
    EXPECT_EQ(p.SendTimeout, 20000);
    EXPECT_EQ(p.ReceiveTimeout, 20000);
    EXPECT_EQ(p.StopWait, 1000);
    EXPECT_EQ(p.ReceiveBlockSize, 20480);
    EXPECT_EQ(p.SendBlockSize, 1024);
    EXPECT_EQ(p.MessageProc, nullptr);
    EXPECT_EQ(p.EventProc, nullptr);
    EXPECT_EQ(p.RenameTo, "");
    EXPECT_EQ(p.FtpTransferType, 1);
    EXPECT_EQ(p.BinaryExtensions, ".exe|.rar|.zip|.gif|.jpg|.mp3|.rm");
    EXPECT_EQ(p.Proxy, "");
    EXPECT_EQ(p.Referer, "");
}
}  // namespace
