// A whole simulated Windows for one test: the system port rooted in a fresh host folder, the
// headless window model, and the program's globals as a new process has them.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/headless/headless_ui.h"
#include "platform/sim/sim_os.h"

class SimulatedWindows : public ::testing::Test {
protected:
    SimulatedWindows();
    ~SimulatedWindows() override;

    // Runs the program with these user actions, then closes the main window; gives the exit code.
    int runProgram(const std::vector<std::function<void()>>& actions = {});

    // Program texts of the UTF-8 literals, in the simulated ANSI code page (GBK).
    static std::string gbk(const char* utf8);

    static constexpr const char* kDocuments = "C:\\Users\\\xD3\xC3\xBB\xA7\\Documents";  // 用户

    std::filesystem::path root;
    SimOs os;
    HeadlessUi ui;

private:
    static std::filesystem::path makeRoot();
};
