// Stand-in for the maker's directory service: directory paths by number.
// 0 is the user's directory, 3 the installation directory; each can be set in the
// registry (HKCU first, then HKLM), with fallbacks when it is not.
#include <windows.h>
#include <shlobj.h>
#include <cstdio>
#include <cstring>
#include <string>

namespace {
const char kDirectoriesKey[] = "Software\\Varrowin\\Tessaline\\11.00\\Directories";
HMODULE g_self = nullptr;

bool ReadDirectoryValue(HKEY root, const char* name, std::string& out)
{
    HKEY key;
    if (RegOpenKeyExA(root, kDirectoriesKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    char buffer[MAX_PATH + 1] = {};
    DWORD type = 0, size = MAX_PATH;
    LONG status = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || type != REG_SZ)
        return false;
    buffer[size < MAX_PATH ? size : MAX_PATH] = '\0';
    out = buffer;
    return true;
}

std::string DefaultDirectory(int which)
{
    char path[MAX_PATH] = {};
    if (which == 3) {
        DWORD n = GetModuleFileNameA(g_self, path, MAX_PATH);
        if (n == 0 || n >= MAX_PATH)
            return {};
        char* slash = strrchr(path, '\\');
        if (slash)
            *slash = '\0';
        return path;
    }
    if (which == 0) {
        if (FAILED(SHGetFolderPathA(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, 0, path)))
            return {};
        std::string dir = path;
        for (const char* part : {"\\Varrowin", "\\Tessaline", "\\11.00"}) {
            dir += part;
            CreateDirectoryA(dir.c_str(), nullptr);
        }
        return dir;
    }
    return {};
}
}

extern "C" int WINAPI GetProductDirectory(int which, char* buffer, int size)
{
    if (!buffer || size <= 0)
        return 0;
    char name[16];
    snprintf(name, sizeof name, "%d", which);
    std::string dir;
    if (!ReadDirectoryValue(HKEY_CURRENT_USER, name, dir) && !ReadDirectoryValue(HKEY_LOCAL_MACHINE, name, dir))
        dir = DefaultDirectory(which);
    size_t n = dir.size() < static_cast<size_t>(size - 1) ? dir.size() : static_cast<size_t>(size - 1);
    memcpy(buffer, dir.data(), n);
    buffer[n] = '\0';
    return static_cast<int>(n);
}

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        g_self = module;
        DisableThreadLibraryCalls(module);
    }
    return TRUE;
}
