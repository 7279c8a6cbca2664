#include "frame/Product.h"
#include <io.h>

std::string ProductDirectory(GetProductDirectoryFunction getDirectory, int which)
{
    char buffer[MAX_PATH] = {};
    if (getDirectory)
        getDirectory(which, buffer, MAX_PATH);
    buffer[MAX_PATH - 1] = '\0';
    ::CharLowerA(buffer);
    return buffer;
}

bool PathExists(const std::string& path)
{
    return !path.empty() && _access(path.c_str(), 0) == 0;
}

std::string PathInFolder(const std::string& folder, const char* file)
{
    return folder + "\\" + file;
}

bool FindUserKeySymFile(GetProductDirectoryFunction getDirectory, std::string& folder, std::string& file)
{
    folder = ProductDirectory(getDirectory, kUserDirectory);
    file = PathInFolder(folder, kKeySymFileName);
    return PathExists(folder);
}

UINT RegisterChangeMessage()
{
    return ::RegisterWindowMessageA(kChangeMessageName);
}

void BroadcastChange(UINT changeMessage)
{
    // One hung window cannot hold up the caller for longer than the timeout.
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutA(HWND_BROADCAST, changeMessage, 0, 0, SMTO_ABORTIFHUNG, kChangeNotifyTimeoutMs, &ignored);
}
