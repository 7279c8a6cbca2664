#include "framework/PropertySheet.h"
#include "framework/WinApp.h"

CPropertySheet::CPropertySheet(std::string caption, HWND parent, UINT firstPage)
    : m_strCaption(std::move(caption)), m_hWndParent(parent), m_nFirstPage(firstPage)
{
}

BOOL CPropertySheet::PreTranslateMessage(MSG& message)
{
    // Keys of a page's controls go to the page's key map before the dialog manager sees them
    // (which would take Enter for OK).
    if (message.message != WM_KEYDOWN || !message.hwnd)
        return FALSE;
    HWND parent = ::GetParent(message.hwnd);
    for (CPropertyPage* page : m_pages) {
        if (page->m_hWnd && page->m_hWnd == parent)
            return page->PressKeyButton(static_cast<UINT>(::GetDlgCtrlID(message.hwnd)), message.wParam) ? TRUE : FALSE;
    }
    return FALSE;
}

void CPropertySheet::WinHelp(ULONG_PTR data, UINT command)
{
    if (CWinApp* app = AfxGetApp())
        app->WinHelp(m_hWnd, data, command);
}

namespace {
// The owner of a sheet without a parent: the thread's active top-level window.
HWND ChooseOwner(HWND parent)
{
    HWND owner = parent ? parent : ::GetActiveWindow();
    while (owner && (::GetWindowLongPtrA(owner, GWL_STYLE) & WS_CHILD))
        owner = ::GetParent(owner);
    return owner;
}
}

INT_PTR CPropertySheet::DoModal()
{
    std::vector<PROPSHEETPAGEA> descriptions;
    descriptions.reserve(m_pages.size());
    for (CPropertyPage* page : m_pages)
        descriptions.push_back(page->MakePageDescription());

    HWND owner = ChooseOwner(m_hWndParent);
    PROPSHEETHEADERA header{};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_MODELESS | PSH_HASHELP | PSH_NOCONTEXTHELP;
    header.hwndParent = owner;
    header.hInstance = AfxGetResourceHandle();
    header.pszCaption = m_strCaption.c_str();
    header.nPages = static_cast<UINT>(descriptions.size());
    header.nStartPage = m_nFirstPage;
    header.ppsp = descriptions.data();

    // Pages are made on their first showing: the context stays active until the sheet is gone.
    CActivationScope scope;
    // The owner is disabled before the sheet exists, as for any modal window.
    const bool ownerWasEnabled = owner && ::IsWindowEnabled(owner);
    if (ownerWasEnabled)
        ::EnableWindow(owner, FALSE);
    HWND sheet = reinterpret_cast<HWND>(::PropertySheetA(&header));
    if (!sheet || sheet == reinterpret_cast<HWND>(-1)) {
        if (ownerWasEnabled)
            ::EnableWindow(owner, TRUE);
        return -1;
    }
    m_hWnd = sheet;
    PushModalWindow(sheet);
    OnCreated();

    // OK and Cancel end a modeless sheet by leaving it without a current page.
    INT_PTR result = IDCANCEL;
    MSG message;
    bool quit = false;
    while (PropSheet_GetCurrentPageHwnd(sheet)) {
        const BOOL got = ::GetMessageA(&message, nullptr, 0, 0);
        if (got == 0) {  // WM_QUIT: handed on to the host's loop once the sheet is gone
            quit = true;
            break;
        }
        if (got == -1)  // no message to pass on; the sheet ends as cancelled
            break;
        BOOL consumed = FALSE;
        try {
            consumed = PreTranslateMessage(message);
        } catch (...) {
            ReportCaughtException();
        }
        if (!consumed && !PropSheet_IsDialogMessage(sheet, &message)) {
            ::TranslateMessage(&message);
            ::DispatchMessageA(&message);
        }
    }
    result = PropSheet_GetResult(sheet) > 0 ? IDOK : IDCANCEL;

    // Re-enable the owner before the sheet goes, so activation returns to it.
    if (ownerWasEnabled)
        ::EnableWindow(owner, TRUE);
    if (owner && ::GetActiveWindow() == sheet)
        ::SetActiveWindow(owner);
    PopModalWindow(sheet);
    OnDestroying();
    ::DestroyWindow(sheet);
    m_hWnd = nullptr;
    if (quit)
        ::PostQuitMessage(static_cast<int>(message.wParam));
    return result;
}
