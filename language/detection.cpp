#include "language/detection.h"

#include "app/file_search.h"
#include "app/globals.h"
#include "app/special_folders.h"
#include "app/texts.h"
#include "app/whole_file.h"
#include "core/dbcs.h"
#include "platform/ui.h"

namespace {
constexpr RootType kLocalMachine = 4;

struct OlderVersion {
    const char* registryVersion;
    const char* label;
};

// In the order they are tested. 13.8 is CC2015.3, whose label is named for 2016.
constexpr OlderVersion kOlderVersions[] = {
    {"13", "AE2014语言"},   {"13.5", "AE2015语言"}, {"13.8", "AE2016语言"},
    {"14.0", "AE2017语言"}, {"15.0", "AE2018语言"},
};

std::string installPathValue(const char* registryVersion) {
    return std::string("SOFTWARE\\Adobe\\After Effects\\") + registryVersion + "\\InstallPath";
}
}  // namespace

void detectLanguages() {
    RegistryAccessor& accessor = *registry;
    std::string path = installPathValue("16.0");
    installPathAE2019 = accessor.slots->ReadTextView64(accessor, kLocalMachine, path);
    // Joined without a separator: a normal InstallPath ends with its backslash.
    applicationXmlPath = installPathAE2019 + "AMT\\application.xml";
    ui().setCaption(mainWindow, "编辑框19", applicationXmlPath);

    const std::string content = readWholeFile(applicationXmlPath);
    const std::string text = content.substr(0, content.find('\0'));
    languageAE2019 = dbcsFind(text, "zh_CN") != kNotFound ? chineseWord() : englishWord();
    ui().setCaption(mainWindow, "AE2019语言", languageAE2019);

    // With the marker every installed older version is English; without it only the first
    // installed one is marked Chinese.
    const bool marker = entryExists(markerFilePath());
    for (const OlderVersion& version : kOlderVersions) {
        path = installPathValue(version.registryVersion);
        if (!accessor.slots->ValueExists(accessor, kLocalMachine, path)) continue;
        ui().setCaption(mainWindow, version.label, marker ? englishWord() : chineseWord());
        if (!marker) break;
    }

    ui().setCaption(mainWindow, "当前语言", languageAE2019);
}
