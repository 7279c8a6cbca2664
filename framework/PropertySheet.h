#pragma once
// A property sheet run modally in its own message loop: created modeless so that every
// message passes PreTranslateMessage first, with the owner disabled while it runs.
#include "framework/PropertyPage.h"
#include <string>
#include <vector>

class CPropertySheet : public CWnd {
public:
    CPropertySheet(std::string caption, HWND parent, UINT firstPage);
    virtual ~CPropertySheet() = default;
    CPropertySheet(const CPropertySheet&) = delete;
    CPropertySheet& operator=(const CPropertySheet&) = delete;

    void AddPage(CPropertyPage& page) { m_pages.push_back(&page); }
    // IDOK when the sheet was closed with OK, IDCANCEL otherwise, -1 when it could not be shown.
    INT_PTR DoModal();
    // Asks the application to open the help file at a topic, owned by the sheet.
    void WinHelp(ULONG_PTR data, UINT command);

protected:
    // True when the message was consumed and must not reach the sheet.
    virtual BOOL PreTranslateMessage(MSG& message);
    // The sheet's window exists (m_hWnd), and its loop is about to run; and it is going.
    virtual void OnCreated() {}
    virtual void OnDestroying() {}

private:
    std::string m_strCaption;
    HWND m_hWndParent;
    UINT m_nFirstPage;
    std::vector<CPropertyPage*> m_pages;
};
