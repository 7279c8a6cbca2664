// Stand-in for the maker's directory service: directory paths by number.
// 0 is the user's directory, 3 the installation directory; each can be set in the
// registry (HKCU first, then HKLM), with fallbacks when it is not.
//
// Plain buffers only: without the C++ library nothing of its thread runtime is linked in,
// whose start-up keeps memory in the host at every load of the editor.
#include <windows.h>
#include <shlobj.h>

namespace {
const char kDirectoriesKey[] = "Software\\Varrowin\\Tessaline\\11.00\\Directories";
HMODULE g_self = nullptr;

// Fills `out` (MAX_PATH) from the registry; false when there is no such text.
bool ReadDirectoryValue(HKEY root, const char* name, char* out)
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
    buffer[size < MAX_PATH ? size : MAX_PATH - 1] = '\0';
    lstrcpynA(out, buffer, MAX_PATH);
    return true;
}

void DefaultDirectory(int which, char* path)
{
    path[0] = '\0';
    if (which == 3) {
        DWORD n = GetModuleFileNameA(g_self, path, MAX_PATH);
        if (n == 0 || n >= MAX_PATH) {
            path[0] = '\0';
            return;
        }
        for (char* end = path + n; end > path; --end) {
            if (end[-1] == '\\') {
                end[-1] = '\0';
                break;
            }
        }
        return;
    }
    if (which != 0)
        return;
    // The shell is loaded only when it is asked for.
    HMODULE shell = LoadLibraryA("shell32.dll");
    using GetFolderPath = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPSTR);
    auto getFolderPath =
        shell ? reinterpret_cast<GetFolderPath>(reinterpret_cast<void*>(GetProcAddress(shell, "SHGetFolderPathA")))
              : nullptr;
    const bool found =
        getFolderPath && SUCCEEDED(getFolderPath(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, 0, path));
    if (shell)
        FreeLibrary(shell);
    if (!found) {
        path[0] = '\0';
        return;
    }
    static const char* const kParts[] = {"\\Varrowin", "\\Tessaline", "\\11.00"};
    for (const char* part : kParts) {
        if (lstrlenA(path) + lstrlenA(part) >= MAX_PATH) {
            path[0] = '\0';
            return;
        }
        lstrcatA(path, part);
        CreateDirectoryA(path, nullptr);
    }
}
}

extern "C" int WINAPI GetProductDirectory(int which, char* buffer, int size)
{
    if (!buffer || size <= 0)
        return 0;
    char name[16];
    wsprintfA(name, "%d", which);
    char dir[MAX_PATH] = {};
    if (!ReadDirectoryValue(HKEY_CURRENT_USER, name, dir) && !ReadDirectoryValue(HKEY_LOCAL_MACHINE, name, dir))
        DefaultDirectory(which, dir);
    lstrcpynA(buffer, dir, size);
    return lstrlenA(buffer);
}

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        g_self = module;
        DisableThreadLibraryCalls(module);
    }
    return TRUE;
}
