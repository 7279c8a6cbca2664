#include "tool/UserKeySymFile.h"
#include "frame/KeySymApp.h"
#include "frame/MakerLibraries.h"
#include <io.h>
#include <vector>

bool LocateNamedKeySymFile(const std::string& typed, KeySymFileLocation& location)
{
    char* namePart = nullptr;
    const DWORD size = ::GetFullPathNameA(typed.c_str(), 0, nullptr, nullptr);
    if (size == 0)
        return false;
    std::vector<char> full(size + 1);
    const DWORD length = ::GetFullPathNameA(typed.c_str(), size + 1, full.data(), &namePart);
    if (length == 0 || length > size || !namePart)
        return false;
    location.path.assign(full.data(), length);
    // The folder keeps its backslash only where it is a drive's root ("C:\").
    size_t folderEnd = static_cast<size_t>(namePart - full.data());
    if (folderEnd > 3)
        --folderEnd;
    location.folder.assign(full.data(), folderEnd);
    return true;
}

bool LocateUserKeySymFile(KeySymFileLocation& location)
{
    char buffer[MAX_PATH] = {};
    GetProductDirectory(kUserDirectory, buffer, MAX_PATH);
    buffer[MAX_PATH - 1] = '\0';
    ::CharLowerA(buffer);
    location.folder = buffer;
    location.path = location.folder + "\\" + kKeySymFileName;
    return !location.folder.empty() && _access(location.folder.c_str(), 0) == 0;
}
