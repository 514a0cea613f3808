#include "app/startup.h"

#include "app/fatal_error.h"
#include "app/globals.h"
#include "app/main_window.h"
#include "app/program_folder.h"
#include "app/texts.h"
#include "platform/os.h"
#include "platform/ui.h"

namespace {
void enterProgramFolder() {
    std::string folder = programFolder();
    if (folder.empty()) return;
    // "C:" alone would name the drive's current directory, not its root.
    if (folder.back() == ':') folder += '\\';
    os().SetCurrentDirectoryA(folder);
}
}  // namespace

void initGlobals() {
    taskParam = std::make_unique<TaskParam>();
    setTaskParamDefaults(*taskParam);
    registry = createRegistryAccessor();
}

void exitCleanUp() {
    if (programState == ProgramState::Ending || programState == ProgramState::Ended) return;
    programState = ProgramState::Ending;
    taskParam.reset();
    releaseRegistryAccessor(registry);
    for (std::string* text : {&newExecutablePath, &installPathAE2019, &applicationXmlPath,
                              &languageAE2019}) {
        std::string().swap(*text);  // gives the memory back, which clear() would keep
    }
    programState = ProgramState::Ended;
}

int startUp() {
    enterProgramFolder();
    initGlobals();
    if (!loadMainWindow()) {
        showFatalError(ansi("载入启动窗口失败"));
        return kFatalExitCode;
    }
    programState = ProgramState::Running;
    ui().runLoop();
    exitCleanUp();
    return 0;
}
