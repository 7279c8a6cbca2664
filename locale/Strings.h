#pragma once
// Texts of the string table: loaded from the resource library in the user's language, with
// the program's own texts standing in for strings an older library lacks, and %1 to %3
// filled in. Needs no window and no application object, so keysymtool words its messages
// with the editor's own strings.
#include <windows.h>
#include <string>

// Where strings come from: `library` first, then `fallback` (null: none).
void SetStringSources(HINSTANCE library, HINSTANCE fallback);

// A string of the resource library, else of the fallback; empty when neither has it.
std::string LoadResString(UINT id);
// The same as Unicode text, for texts that must show characters outside the ANSI code page.
std::wstring LoadResStringW(UINT id);
// Replaces %1, %2 and %3 in a text.
std::string FormatText(const std::string& text, const std::string& arg1 = {}, const std::string& arg2 = {},
                       const std::string& arg3 = {});
std::string FormatResString(UINT id, const std::string& arg1 = {}, const std::string& arg2 = {},
                            const std::string& arg3 = {});
