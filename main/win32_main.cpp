// The real program's entry: installs the Win32 ports and runs the program.
#include <windows.h>
#include <commctrl.h>

#include "app/startup.h"
#include "platform/os.h"
#include "platform/ui.h"
#include "platform/win32/win32_os.h"
#include "platform/win32/win32_ui.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    Win32Os realOs;
    Win32Ui realUi;
    installOs(&realOs);
    installUi(&realUi);
    return startUp();
}
