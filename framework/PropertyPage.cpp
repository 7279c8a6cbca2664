#include "framework/PropertyPage.h"
#include "framework/WinApp.h"

namespace {
// Posted after an apply that left the page modified: the sheet disables Apply after
// every apply, and a failed save must leave it enabled so the user can try again.
const UINT WM_REASSERT_MODIFIED = WM_APP + 0x4B5;
}

PROPSHEETPAGEA CPropertyPage::MakePageDescription()
{
    PROPSHEETPAGEA page{};
    page.dwSize = sizeof page;
    page.dwFlags = PSP_HASHELP;
    page.hInstance = AfxGetResourceHandle();
    page.pszTemplate = MAKEINTRESOURCEA(m_nTemplateId);
    page.pfnDlgProc = PageProc;
    page.lParam = reinterpret_cast<LPARAM>(this);
    return page;
}

void CPropertyPage::SetModified(bool changed)
{
    m_bPageModified = changed;
    HWND sheet = ::GetParent(m_hWnd);
    if (sheet)
        ::SendMessageA(sheet, changed ? PSM_CHANGED : PSM_UNCHANGED, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

BOOL CPropertyPage::OnSetActive()
{
    if (m_bFirstSetActive)
        m_bFirstSetActive = false;
    else
        UpdateData(false);
    return TRUE;
}

bool CPropertyPage::OnNotify(const NMHDR& header, LRESULT& result)
{
    // Only the sheet's own notifications are the page protocol.
    if (header.hwndFrom != ::GetParent(m_hWnd))
        return false;
    switch (header.code) {
    case PSN_SETACTIVE:
        result = OnSetActive() ? 0 : -1;
        return true;
    case PSN_KILLACTIVE:
        result = OnKillActive() ? FALSE : TRUE;
        return true;
    case PSN_APPLY:
        result = OnApply() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE;
        if (m_bPageModified)
            ::PostMessageA(m_hWnd, WM_REASSERT_MODIFIED, 0, 0);
        return true;
    case PSN_RESET:
        OnReset();
        result = 0;
        return true;
    case PSN_HELP:
        if (CWinApp* app = AfxGetApp())
            app->OnHelp();
        result = 0;
        return true;
    default:
        return false;
    }
}

bool CPropertyPage::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result)
{
    if (message == WM_REASSERT_MODIFIED) {
        if (m_bPageModified)
            SetModified(true);
        result = TRUE;
        return true;
    }
    return CDialog::OnMessage(message, wParam, lParam, result);
}

INT_PTR CALLBACK CPropertyPage::PageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        auto* description = reinterpret_cast<const PROPSHEETPAGEA*>(lParam);
        reinterpret_cast<CPropertyPage*>(description->lParam)->AttachToWindow(hwnd);
    }
    auto* page = static_cast<CPropertyPage*>(FromWindow(hwnd));
    if (!page)
        return FALSE;
    INT_PTR result = page->HandleMessage(message, wParam, lParam);
    if (message == WM_NCDESTROY)
        page->m_hWnd = nullptr;
    return result;
}
