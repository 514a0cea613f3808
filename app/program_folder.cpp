#include "app/program_folder.h"

#include "core/dbcs.h"
#include "platform/os.h"

std::string programFolder() {
    std::string module;
    if (os().GetModuleFileNameA(module) == 0) return std::string();
    const std::size_t separator = dbcsFindLast(module, '\\');
    return separator == kNotFound ? std::string() : module.substr(0, separator);
}
