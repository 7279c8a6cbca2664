// Stand-in for the maker's help launcher: opens a help file at a topic.
#include <windows.h>

extern "C" BOOL WINAPI LaunchHelp(HWND owner, const char* path, UINT command, ULONG_PTR data)
{
    return WinHelpA(owner, path, command, data);
}
