#pragma once
// Message boxes from string-table texts, owned by the window in front of the module's
// popups, captioned with one title string.
#include <windows.h>
#include <string>

// The string that captions every message box; 0 for the system's caption.
void SetMessageBoxTitleId(UINT titleId);
// A message box from string `id` with %1 to %3 filled in.
int ResMessageBox(UINT id, UINT flags, const std::string& arg1 = {}, const std::string& arg2 = {},
                  const std::string& arg3 = {});
// The same for a text already put together from string-table texts.
int TextMessageBox(const std::string& text, UINT flags);
