#include "app/whole_file.h"

#include "platform/os.h"

std::string readWholeFile(const std::string& path) {
    const Handle file = os().CreateFileA(path, win::kGenericRead, win::kFileShareRead,
                                         win::kOpenExisting, win::kAttributeNormal);
    if (file == win::kInvalidHandle) return std::string();
    std::string content;
    char buffer[4096];
    Dword count = 0;
    while (os().ReadFile(file, buffer, sizeof buffer, count) && count > 0) content.append(buffer, count);
    os().CloseHandle(file);
    return content;
}
