// The folder that holds the running executable.
#pragma once

#include <string>

// Without a trailing backslash ("C:" for a program in a drive's root); empty when unknown.
std::string programFolder();
