// Existence as the program tests it: a directory search for the path, so any entry of that
// name counts, a file or a folder alike.
#pragma once

#include <string>

bool entryExists(const std::string& path);
