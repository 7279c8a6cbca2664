// Hooks for the tests of the language resolution; not part of the module's interface.
#ifndef KEYSYM_LOCALE_RESOURCE_LIBRARY_SEAMS_H
#define KEYSYM_LOCALE_RESOURCE_LIBRARY_SEAMS_H

#include <windows.h>
#include <cstddef>

using UILanguageSource = LANGID (*)();

// Replaces the system's UI language; null restores it. Returns the source it replaced.
UILanguageSource SetUILanguageSource(UILanguageSource source);

// LoadResourceLibrary with the locale key and the folder given ("C:\dir" or "C:\dir\").
HMODULE LoadResourceLibraryFrom(const char* folder, const char* subKey, const char* baseName);


#endif
