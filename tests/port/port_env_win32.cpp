#include <windows.h>

#include "platform/win32/win32_os.h"
#include "tests/port/port_env.h"

Os& portUnderTest() {
    static Win32Os port;
    return port;
}

bool portIsWine() {
    return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
}

std::string freshScratchFolder() {
    static int folders = 0;
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    // Process ids come round again; a folder is only ours when we made it.
    for (;;) {
        const std::string folder = std::string(temp) + "vantrel-port-" +
                                   std::to_string(GetCurrentProcessId()) + "-" +
                                   std::to_string(++folders);
        if (CreateDirectoryA(folder.c_str(), nullptr)) return folder;
    }
}
