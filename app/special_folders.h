// Where the program finds the user's folders, and the marker file that stands for English.
#pragma once

#include <string>

enum class SpecialFolder { Documents, Temp };

// The folder's path, ending with a backslash, or the empty text when it cannot be found out.
std::string specialFolderPath(SpecialFolder kind);

// The documents folder followed by "\ae_force_english.txt". The doubled backslash that results
// is read by the file system as one; with no documents folder the path names the file in the
// root of the current drive.
std::string markerFilePath();
