#include "frame/SymEditPs.h"
#include "frame/KeySymApp.h"

CSymEditPs::CSymEditPs(CKeySymStore& store, std::string caption, HWND parentWindow, UINT firstPage)
    : CPropertySheet(std::move(caption), parentWindow, firstPage),
      m_setPage(store), m_keySymPage(store), m_searchPage(store)
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

namespace {
HWND volatile g_openSheet = nullptr;
}

HWND CSymEditPs::OpenSheet()
{
    return static_cast<HWND>(::InterlockedCompareExchangePointer(reinterpret_cast<PVOID volatile*>(&g_openSheet),
                                                                 nullptr, nullptr));
}

void CSymEditPs::OnCreated()
{
    ::InterlockedExchangePointer(reinterpret_cast<PVOID volatile*>(&g_openSheet), m_hWnd);
}

void CSymEditPs::OnDestroying()
{
    ::InterlockedExchangePointer(reinterpret_cast<PVOID volatile*>(&g_openSheet), nullptr);
}
