// A small host for the keysym editor: loads TAVREL.dll from its own folder, shows the
// editor, unloads the module (which tells running programs when keysyms changed).
#include <windows.h>
#include <cstdio>
#include <string>

namespace {
std::string OwnFolder()
{
    std::string path(32768, '\0');  // a folder deeper than MAX_PATH too
    const DWORD n = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0 || n >= path.size())
        return {};
    path.resize(n);
    return path.substr(0, path.find_last_of('\\') + 1);
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
    // The module's imports (solvane.dll, GARNUTIL.dll) lie beside it: with the altered search
    // order they are looked for there first, not only beside this program.
    HMODULE editor = LoadLibraryExA(module.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
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
