#include "app/globals.h"

std::int32_t screenWidth = 0;
std::int32_t screenHeight = 0;
std::string newExecutablePath;
std::unique_ptr<TaskParam> taskParam;
std::atomic<std::int32_t> downloadSize{0};
std::string installPathAE2019;
std::unique_ptr<RegistryAccessor> registry;
std::string applicationXmlPath;
std::string languageAE2019;

WindowId mainWindow = 0;
ProgramState programState = ProgramState::Starting;
