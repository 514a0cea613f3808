#include <cstdlib>
#include <filesystem>
#include <memory>

#include "platform/sim/sim_os.h"
#include "tests/port/port_env.h"

namespace {
struct SimEnvironment {
    std::filesystem::path root;
    std::unique_ptr<SimOs> os;
    int folders = 0;

    SimEnvironment() {
        char pattern[] = "/tmp/vantrel-port-XXXXXX";
        root = ::mkdtemp(pattern);
        os = std::make_unique<SimOs>(root);
        os->CreateDirectoryA("C:\\Temp");
        os->SetCurrentDirectoryA("C:\\Temp");
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

bool portIsWine() { return false; }

std::string freshScratchFolder() {
    const std::string folder = "C:\\Temp\\scratch" + std::to_string(++environment().folders);
    environment().os->CreateDirectoryA(folder);
    return folder;
}
