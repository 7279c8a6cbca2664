#pragma once
// The platform's Open and Save As dialogs, owned by the window that owns the module's
// popups (the sheet), with a title from the caller.
#include <cstddef>
#include <string>
#include <vector>

// One entry of the Save As dialog's file type list: "Text files (*.txt)" and "*.txt".
struct FileType {
    std::string description;
    std::string pattern;
};

// A file to read; false when the user cancelled or the dialog could not be shown.
bool AskOpenFilePath(const std::string& title, std::string& path);
// A file to write, proposing `proposedName`; `extension` (no dot) is added to a name typed
// without one. The dialog asks before an existing file is replaced. With `types`, the
// dialog offers them and `type` says which was chosen (on entry: which is proposed).
bool AskSaveFilePath(const std::string& title, const std::string& proposedName, const std::string& extension,
                     std::string& path, const std::vector<FileType>& types = {}, size_t* type = nullptr);
