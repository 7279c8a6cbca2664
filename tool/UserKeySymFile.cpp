#include "tool/UserKeySymFile.h"
#include "frame/Product.h"
#include "locale/ResourceLibrary.h"
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
const WORD kGetProductDirectoryOrdinal = 2;
const char kDirectoryServiceName[] = "solvane.dll";
}

bool LocateUserKeySymFile(KeySymFileLocation& location)
{
    // The directory service is loaded only when asked: with --file the tool needs neither
    // it nor the shell libraries it loads. It is loaded by its full path in the tool's own
    // folder, never by a bare name that the current folder could answer.
    GetProductDirectoryFunction getDirectory = nullptr;
    HMODULE service = nullptr;
    char folder[MAX_PATH] = {};
    if (GetResourceFolder(folder, sizeof folder))
        service = ::LoadLibraryExA((std::string(folder) + kDirectoryServiceName).c_str(), nullptr,
                                   LOAD_WITH_ALTERED_SEARCH_PATH);
    if (service)
        getDirectory = reinterpret_cast<GetProductDirectoryFunction>(
            reinterpret_cast<void*>(::GetProcAddress(service, MAKEINTRESOURCEA(kGetProductDirectoryOrdinal))));
    const bool found = FindUserKeySymFile(getDirectory, location.folder, location.path);
    if (service)
        ::FreeLibrary(service);
    return found;
}
