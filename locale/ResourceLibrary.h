// Choosing the user-interface language and loading the resource library of that language.
#ifndef KEYSYM_LOCALE_RESOURCE_LIBRARY_H
#define KEYSYM_LOCALE_RESOURCE_LIBRARY_H

#include <windows.h>
#include <cstddef>

// The product family's locale settings; read only, never written by the module.
extern const char kLocaleKey[];

// Puts the language suffix (".eng") into out. Returns 0, or 1627 (ERROR_FUNCTION_FAILED)
// when out is null, outLen is 0, no language can be chosen or its suffix does not fit
// outLen whole (a cut suffix would name another library); out is untouched then.
DWORD ResolveUILanguage(const char* subKey, char* out, DWORD outLen);

// Puts "." in front of text unless it is null or already begins with one. The result
// stays terminated within len bytes.
void EnsureLeadingDot(char* text, size_t len);

// The folder of the module that holds this code, with a trailing backslash: where resource
// libraries are loaded from, and a program finds its other modules.
bool GetResourceFolder(char* out, size_t outLen);

// Loads "tavrel.nls" as "tavrel.<lang>.nls", else the plain name, from the folder of the
// module that holds this code only, as an image resource: no code in it runs. Null when
// neither loads.
HMODULE LoadResourceLibrary(const char* baseName);

#endif
