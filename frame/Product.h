#pragma once
// The product's fixed names, where its files are, and the change broadcast: the one small
// module that TAVREL.dll and keysymtool share, so both find the keysym file alike and tell
// running programs alike.
#include <windows.h>
#include <string>

inline constexpr char kResourceLibraryName[] = "tavrel.nls";
inline constexpr char kKeySymFileName[] = "keysyms.kbs";
inline constexpr char kHelpFileName[] = "ombrix.hlp";
inline constexpr char kChangeMessageName[] = "KEYSYMEDITOR";
// Directory numbers of the directory service.
inline constexpr int kUserDirectory = 0;
inline constexpr int kInstallDirectory = 3;
// How long one window may take over the change notification before it counts as hung.
inline constexpr UINT kChangeNotifyTimeoutMs = 5000;

// The directory service's lookup (solvane.dll, ordinal 2).
using GetProductDirectoryFunction = int(WINAPI*)(int which, char* buffer, int size);

// Directory `which`, lower-cased; empty when the service gives none.
std::string ProductDirectory(GetProductDirectoryFunction getDirectory, int which);
bool PathExists(const std::string& path);
// `file` in `folder`.
std::string PathInFolder(const std::string& folder, const char* file);

// The user's directory (lower-cased, as the service gives it) and the keysym file in it;
// false when that directory does not exist.
bool FindUserKeySymFile(GetProductDirectoryFunction getDirectory, std::string& folder, std::string& file);

// The registered change message, and its broadcast: running programs reload the keysyms.
UINT RegisterChangeMessage();
void BroadcastChange(UINT changeMessage);
