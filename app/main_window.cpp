#include "app/main_window.h"

#include "app/build_constants.h"
#include "app/globals.h"
#include "app/main_window_form.h"
#include "core/numbers.h"
#include "language/detection.h"
#include "language/switch.h"
#include "platform/os.h"
#include "platform/ui.h"

bool loadMainWindow() {
    const std::vector<Binding> bindings = {
        {"", Event::Created, mainWindowCreated},
        {"切换_按钮", Event::Clicked, switchButtonClicked},
        {"超级链接框1", Event::LeftButtonDown, hyperlinkPressed},
    };
    return ui().createWindow(mainWindowForm(), bindings, mainWindow);
}

void mainWindowCreated() {
    const Size screen = ui().primaryScreenSize();
    screenWidth = screen.width;
    screenHeight = screen.height;
    const Size window = ui().windowSize(mainWindow);
    // 50 pixels left of and 100 above the centred place.
    const int left = truncateToInt((double(screenWidth) - window.width - 100) / 2);
    const int top = truncateToInt((double(screenHeight) - window.height - 200) / 2);
    ui().moveWindow(mainWindow, left, top);
    ui().setTitle(mainWindow, "Vantrel v" + ui().caption(mainWindow, "版本号"));
    detectLanguages();
}

void hyperlinkPressed() {
    os().ShellExecuteA("open", std::string("http://") + kSiteHost + "/612.html", "", "",
                       win::kSwShowNormal);
}
