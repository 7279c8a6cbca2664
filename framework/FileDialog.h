#pragma once
// The platform's Open and Save As dialogs, owned by the window that owns the module's
// popups (the sheet), with a title from the caller.
#include <string>

// A file to read; false when the user cancelled or the dialog could not be shown.
bool AskOpenFilePath(const std::string& title, std::string& path);
// A file to write, proposing `proposedName`; `extension` (no dot) is added to a name typed
// without one. The dialog asks before an existing file is replaced.
bool AskSaveFilePath(const std::string& title, const std::string& proposedName, const std::string& extension,
                     std::string& path);
