#include <windows.h>

#include "platform/win32/win32_os.h"
#include "platform/win32/win32_ui.h"
#include "tests/port/port_env.h"

Os& portUnderTest() {
    static Win32Os port;
    return port;
}

void installPortsUnderTest() {
    static Win32Ui ui;
    installOs(&portUnderTest());
    installUi(&ui);
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

bool portIs64BitWindows() {
    BOOL wow64 = FALSE;
    return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

std::string portUniqueName() {
    static int names = 0;
    return std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount()) + "-" +
           std::to_string(++names);
}
