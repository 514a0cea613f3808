#include "language/switch.h"

#include "app/file_search.h"
#include "app/globals.h"
#include "app/special_folders.h"
#include "app/texts.h"
#include "platform/os.h"
#include "platform/ui.h"

namespace {
void createEmptyFile(const std::string& path) {
    const Handle file = os().CreateFileA(path, win::kGenericWrite, 0, win::kCreateAlways,
                                         win::kAttributeNormal);
    if (file != win::kInvalidHandle) os().CloseHandle(file);
}
}  // namespace

void switchButtonClicked() {
    const std::string marker = markerFilePath();
    if (entryExists(marker)) {
        os().DeleteFileA(marker);
    } else {
        createEmptyFile(marker);
    }
    // The marker is tested again: a delete or create that failed must not be shown as done.
    ui().setCaption(mainWindow, "当前语言", entryExists(marker) ? englishWord() : chineseWord());
}
