// Fatal conditions: an error box, then the process ends with exit code -1 and without the exit
// clean-up. The caller ends the process; these only say why.
#pragma once

#include <string>

constexpr int kFatalExitCode = -1;

void showFatalError(const std::string& reason);
