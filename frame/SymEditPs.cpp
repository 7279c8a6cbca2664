#include "frame/SymEditPs.h"
#include "frame/KeySymApp.h"

CSymEditPs::CSymEditPs(std::string caption, HWND parentWindow, UINT firstPage)
    : CPropertySheet(std::move(caption), parentWindow, firstPage)
{
    AddPage(m_keySymPage);
    AddPage(m_searchPage);
    AddPage(m_setPage);
}

BOOL CSymEditPs::PreTranslateMessage(MSG& message)
{
    if (message.message == WM_SYSKEYDOWN && message.wParam == 'H') {
        WinHelp(kHelpContext, HELP_CONTEXT);
        return TRUE;
    }
    return CPropertySheet::PreTranslateMessage(message);
}
