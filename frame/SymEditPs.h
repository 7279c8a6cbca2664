#pragma once
// The editor sheet: the keysym, search and set pages over the one keysym store.
#include "framework/PropertySheet.h"
#include "pages/KeySymPage.h"
#include "pages/SearchPage.h"
#include "pages/SetPage.h"

class CSymEditPs : public CPropertySheet {
public:
    // The sheet that is open in this process, on any thread; null while there is none.
    static HWND OpenSheet();

    CSymEditPs(CKeySymStore& store, std::string caption, HWND parentWindow, UINT firstPage);

protected:
    // Alt+H opens help at the editor's topic and goes no further.
    BOOL PreTranslateMessage(MSG& message) override;
    void OnCreated() override;
    void OnDestroying() override;

private:
    // Constructed in this order; the tabs read keysym, search, set.
    CStEdtPp m_setPage;
    CKsEdtPp m_keySymPage;
    CSchPp m_searchPage;
};
