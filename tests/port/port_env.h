// What the port's conformance suite needs from the build it runs in: the port under test and a
// fresh folder to work in. The expectations themselves are the same for every build.
#pragma once

#include <string>

#include "platform/os.h"

Os& portUnderTest();

// Wine differs from Windows in a few refusals; the tests that meet them say so by name.
bool portIsWine();

// A new, empty folder for one test, as an ANSI path without a trailing backslash.
std::string freshScratchFolder();
