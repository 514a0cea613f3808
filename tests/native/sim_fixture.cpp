#include "tests/native/sim_fixture.h"

#include <cstdlib>

#include "app/globals.h"
#include "app/startup.h"
#include "platform/sim/sim_codepage.h"

namespace fs = std::filesystem;

fs::path SimulatedWindows::makeRoot() {
    char pattern[] = "/tmp/vantrel-sim-XXXXXX";
    return ::mkdtemp(pattern);
}

SimulatedWindows::SimulatedWindows() : root(makeRoot()), os(root) {
    os.setModuleFileName("C:\\Program Files\\Vantrel\\Vantrel.exe");
    fs::create_directories(os.hostPath("C:\\Program Files\\Vantrel"));
    fs::create_directories(os.hostPath("C:\\Users"));
    fs::create_directories(os.hostPath("C:\\Users") / "用户" / "Documents");
    fs::create_directories(os.hostPath("C:\\Users") / "用户" / "Temp");
    os.setSpecialFolder(win::kCsidlPersonal, std::string(kDocuments));
    os.setTempPath(std::string("C:\\Users\\\xD3\xC3\xBB\xA7\\Temp\\"));
    installOs(&os);
    installUi(&ui);
    programState = ProgramState::Starting;
    taskParam.reset();
    languageAE2019.clear();
    mainWindow = 0;
}

SimulatedWindows::~SimulatedWindows() {
    installOs(nullptr);
    installUi(nullptr);
    std::error_code error;
    fs::remove_all(root, error);
}

int SimulatedWindows::runProgram(const std::vector<std::function<void()>>& actions) {
    for (const auto& action : actions) ui.script(action);
    ui.script([this] { ui.close(mainWindow); });
    const int exitCode = startUp();
    EXPECT_FALSE(ui.loopStalled());
    return exitCode;
}

std::string SimulatedWindows::gbk(const char* utf8) {
    std::u16string wide;
    std::string text;
    toUtf16(65001, utf8, wide);
    fromUtf16(936, wide, text);
    return text;
}
