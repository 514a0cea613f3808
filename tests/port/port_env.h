// What the port's conformance suite needs from the build it runs in: the port under test and a
// fresh folder to work in. The expectations themselves are the same for every build.
#pragma once

#include <string>

#include "platform/os.h"

Os& portUnderTest();

// Installs the port under test, and a window port beside it, as the program's own.
void installPortsUnderTest();

// Wine differs from Windows in a few refusals; the tests that meet them say so by name.
bool portIsWine();

// A new, empty folder for one test, as an ANSI path without a trailing backslash.
std::string freshScratchFolder();

// 64-bit Windows, where this 32-bit process has two registry views and file-system redirection.
bool portIs64BitWindows();

// A name no other test, here or in another run, is using: for registry keys.
std::string portUniqueName();
