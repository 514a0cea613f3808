// Reading a file whole, as the program reads a configuration file.
#pragma once

#include <string>

// Every byte of the file, opened for reading while others may read but not write it; the empty
// text when it is missing, cannot be opened or is empty.
std::string readWholeFile(const std::string& path);
