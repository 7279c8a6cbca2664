#pragma once
// The maker's two libraries, imported by ordinal (solvane.dll #2, GARNUTIL.dll #12).
#include <windows.h>

extern "C" {
// Writes the NUL-terminated path of directory `which` into `buffer`; returns its length.
int WINAPI GetProductDirectory(int which, char* buffer, int size);
// Opens a help file at a topic.
BOOL WINAPI LaunchHelp(HWND owner, const char* path, UINT command, ULONG_PTR data);
}
