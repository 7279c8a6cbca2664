#pragma once
// The editor sheet: the keysym, search and set pages over the one keysym store.
#include "framework/PropertySheet.h"
#include "pages/KeySymPage.h"
#include "pages/SearchPage.h"
#include "pages/SetPage.h"

class CSymEditPs : public CPropertySheet {
public:
    CSymEditPs(std::string caption, HWND parentWindow, UINT firstPage);

protected:
    // Alt+H opens help at the editor's topic and goes no further.
    BOOL PreTranslateMessage(MSG& message) override;

private:
    // Constructed in this order; the tabs read keysym, search, set.
    CStEdtPp m_setPage;
    CKsEdtPp m_keySymPage;
    CSchPp m_searchPage;
};
