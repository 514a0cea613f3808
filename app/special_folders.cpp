#include "app/special_folders.h"

#include "core/dbcs.h"
#include "platform/os.h"

std::string specialFolderPath(SpecialFolder kind) {
    std::string path;
    bool known = false;
    if (kind == SpecialFolder::Documents) {
        known = os().SHGetSpecialFolderPathA(path, win::kCsidlPersonal, false);
    } else {
        const Dword length = os().GetTempPathA(win::kMaxPath, path);
        known = length > 0 && length <= win::kMaxPath;
    }
    if (!known || path.empty()) return std::string();
    // A GBK character may end in the byte 0x5C; only a real backslash counts.
    if (!dbcsEndsWith(path, '\\')) path += '\\';
    return path;
}

std::string markerFilePath() {
    return specialFolderPath(SpecialFolder::Documents) + "\\ae_force_english.txt";
}
