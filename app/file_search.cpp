#include "app/file_search.h"

#include "platform/os.h"

bool entryExists(const std::string& path) {
    FindData found;
    const Handle search = os().FindFirstFileA(path, found);
    if (search == win::kInvalidHandle) return false;
    os().FindClose(search);
    return true;
}
