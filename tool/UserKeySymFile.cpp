#include "tool/UserKeySymFile.h"
#include "frame/KeySymApp.h"
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

namespace {
using GetProductDirectoryFunction = int(WINAPI*)(int which, char* buffer, int size);
const WORD kGetProductDirectoryOrdinal = 2;
}

bool LocateUserKeySymFile(KeySymFileLocation& location)
{
    // The directory service is loaded only when asked: with --file the tool needs neither
    // it nor the shell libraries it loads. Found where the editor's import of it is found,
    // beside the program first.
    char buffer[MAX_PATH] = {};
    if (HMODULE service = ::LoadLibraryA("solvane.dll")) {
        const auto getDirectory = reinterpret_cast<GetProductDirectoryFunction>(
            reinterpret_cast<void*>(::GetProcAddress(service, MAKEINTRESOURCEA(kGetProductDirectoryOrdinal))));
        if (getDirectory)
            getDirectory(kUserDirectory, buffer, MAX_PATH);
        ::FreeLibrary(service);
    }
    buffer[MAX_PATH - 1] = '\0';
    ::CharLowerA(buffer);
    location.folder = buffer;
    location.path = location.folder + "\\" + kKeySymFileName;
    return !location.folder.empty() && _access(location.folder.c_str(), 0) == 0;
}
