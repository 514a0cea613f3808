// The program's global state. Each global owns its value for the life of the process;
// exitCleanUp releases what is left.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "download/task_param.h"
#include "platform/ui.h"
#include "registry/registry_accessor.h"

enum class ProgramState { Starting, Running, Ending, Ended };

extern std::int32_t screenWidth;
extern std::int32_t screenHeight;
extern std::string newExecutablePath;
extern std::unique_ptr<TaskParam> taskParam;
extern std::atomic<std::int32_t> downloadSize;  // written by the download engine's thread
extern std::string installPathAE2019;
extern std::unique_ptr<RegistryAccessor> registry;
extern std::string applicationXmlPath;
extern std::string languageAE2019;

extern WindowId mainWindow;
extern ProgramState programState;
