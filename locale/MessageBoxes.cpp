#include "locale/MessageBoxes.h"
#include "framework/WinApp.h"
#include "locale/Strings.h"

namespace {
UINT g_titleId = 0;
}

void SetMessageBoxTitleId(UINT titleId) { g_titleId = titleId; }

int ResMessageBox(UINT id, UINT flags, const std::string& arg1, const std::string& arg2, const std::string& arg3)
{
    return TextMessageBox(FormatResString(id, arg1, arg2, arg3), flags);
}

int TextMessageBox(const std::string& text, UINT flags)
{
    const std::string title = g_titleId ? LoadResString(g_titleId) : std::string();
    CActivationScope scope;
    return ::MessageBoxA(AfxGetPopupOwner(), text.c_str(), title.empty() ? nullptr : title.c_str(), flags);
}

