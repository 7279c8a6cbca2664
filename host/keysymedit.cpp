// A small host for the keysym editor: loads TAVREL.dll from its own folder, shows the
// editor, unloads the module (which tells running programs when keysyms changed).
#include <windows.h>
#include <cstdio>
#include <cstring>
#include <string>

namespace {
std::string OwnFolder()
{
    char path[MAX_PATH] = {};
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return {};
    char* slash = strrchr(path, '\\');
    if (slash)
        slash[1] = '\0';
    return path;
}

void Report(const std::string& text)
{
    fprintf(stderr, "keysymedit: %s\n", text.c_str());
    MessageBoxA(nullptr, text.c_str(), "Keysym editor", MB_OK | MB_ICONHAND);
}
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    const std::string module = OwnFolder() + "TAVREL.dll";
    HMODULE editor = LoadLibraryA(module.c_str());
    if (!editor) {
        char reason[512] = "";
        FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, GetLastError(), 0,
                       reason, sizeof reason, nullptr);
        Report("The keysym editor could not be loaded from " + module + ". " + reason);
        return 1;
    }
    using EditKeySymsFn = void (*)();
    auto edit = reinterpret_cast<EditKeySymsFn>(reinterpret_cast<void*>(GetProcAddress(editor, "EditKeySyms")));
    if (!edit) {
        Report(module + " has no EditKeySyms entry point.");
        FreeLibrary(editor);
        return 2;
    }
    edit();
    FreeLibrary(editor);
    return 0;
}
