#include "framework/FileDialog.h"

#include "framework/WinApp.h"

#include <windows.h>
#include <commdlg.h>

#include <vector>

namespace {

const DWORD kCommonFlags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST;

bool RunFileDialog(bool save, const std::string& title, const std::string& proposedName, const std::string& extension,
                   std::string& path, const std::vector<FileType>& types = {}, size_t* type = nullptr)
{
    std::string filter;
    for (const FileType& entry : types) {
        filter.append(entry.description).append(1, '\0');
        filter.append(entry.pattern).append(1, '\0');
    }
    // Room for the longest path the system has (32767 characters), not MAX_PATH: a longer
    // choice would come back as a failure that looks like Cancel. Whether the file can then be
    // read or written is the caller's to find out, and a failure there gets its own message.
    const DWORD kLongestPath = 32768;
    std::vector<char> file(kLongestPath, '\0');
    proposedName.copy(file.data(), kLongestPath - 1);
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = AfxGetPopupOwner();
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = kLongestPath;
    dialog.lpstrTitle = title.empty() ? nullptr : title.c_str();
    dialog.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
    dialog.Flags = kCommonFlags | (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    if (!types.empty()) {
        dialog.lpstrFilter = filter.c_str();   // ends in two NULs: its own and the string's
        dialog.nFilterIndex = static_cast<DWORD>((type && *type < types.size() ? *type : 0) + 1);
    }
    // The dialog library is loaded for the dialog only: loaded with the module, it would cost
    // the host a handle at every load. Loaded under the module's context, it shows version 6 controls.
    CActivationScope scope;
    HMODULE library = ::LoadLibraryA("comdlg32.dll");
    if (!library) return false;
    using Run = BOOL(WINAPI*)(LPOPENFILENAMEA);
    auto run = reinterpret_cast<Run>(
        reinterpret_cast<void*>(::GetProcAddress(library, save ? "GetSaveFileNameA" : "GetOpenFileNameA")));
    const BOOL chosen = run && run(&dialog);
    ::FreeLibrary(library);
    if (!chosen) return false;
    path = file.data();
    if (type && !types.empty() && dialog.nFilterIndex >= 1 && dialog.nFilterIndex <= types.size())
        *type = dialog.nFilterIndex - 1;
    return !path.empty();
}

}  // namespace

bool AskOpenFilePath(const std::string& title, std::string& path)
{
    return RunFileDialog(false, title, {}, {}, path);
}

bool AskSaveFilePath(const std::string& title, const std::string& proposedName, const std::string& extension,
                     std::string& path, const std::vector<FileType>& types, size_t* type)
{
    return RunFileDialog(true, title, proposedName, extension, path, types, type);
}
