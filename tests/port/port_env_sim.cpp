#include <cstdlib>
#include <filesystem>
#include <memory>

#include <fstream>
#include <iterator>

#include "platform/headless/headless_ui.h"
#include "platform/sim/sim_os.h"
#include "platform/sim/sim_regedit.h"
#include "tests/port/port_env.h"

namespace {
struct SimEnvironment {
    std::filesystem::path root;
    std::unique_ptr<SimOs> os;
    HeadlessUi ui;
    int folders = 0, names = 0;

    SimEnvironment() {
        char pattern[] = "/tmp/vantrel-port-XXXXXX";
        root = ::mkdtemp(pattern);
        os = std::make_unique<SimOs>(root);
        os->setWindows64(true);
        os->CreateDirectoryA("C:\\Temp");
        os->SetCurrentDirectoryA("C:\\Temp");
        os->setTempPath(std::string("C:\\Temp\\"));
        os->setProcessStartHook([this](const std::string& commandLine) {
            return runRegistryEditor(commandLine);
        });
    }

    // The registry editor is a 64-bit program on 64-bit Windows: it writes the native view.
    bool runRegistryEditor(const std::string& commandLine) {
        const std::string file = regeditFile(commandLine);
        if (file.empty()) return false;
        std::ifstream in(os->hostPath(file), std::ios::binary);
        const std::string text{std::istreambuf_iterator<char>(in), {}};
        parseRegText(text, 936, [this](const ImportedValue& value) {
            os->setRegistryValue(value.root, value.keyPath, value.name, value.type, value.data,
                                 RegView::Wow64_64);
        });
        return true;
    }
    ~SimEnvironment() {
        os.reset();
        std::error_code error;
        std::filesystem::remove_all(root, error);
    }
};

SimEnvironment& environment() {
    static SimEnvironment instance;
    return instance;
}
}  // namespace

Os& portUnderTest() { return *environment().os; }

void installPortsUnderTest() {
    installOs(environment().os.get());
    installUi(&environment().ui);
}

bool portIsWine() { return false; }

std::string freshScratchFolder() {
    const std::string folder = "C:\\Temp\\scratch" + std::to_string(++environment().folders);
    environment().os->CreateDirectoryA(folder);
    return folder;
}

bool portIs64BitWindows() { return true; }

std::string portUniqueName() { return "run" + std::to_string(++environment().names); }
