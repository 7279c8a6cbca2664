#pragma once
// A page of a property sheet. The PSN_* protocol lives here: pages override
// OnSetActive/OnKillActive/OnApply/OnReset and never touch DWLP_MSGRESULT.
#include "framework/Dialog.h"
#include <commctrl.h>
#include <prsht.h>

class CPropertyPage : public CDialog {
public:
    explicit CPropertyPage(UINT templateId) : CDialog(templateId) {}

    // The page description handed to the sheet; `this` travels in lParam.
    PROPSHEETPAGEA MakePageDescription();
    // Marks the page changed in the sheet (enables Apply) or unchanged.
    void SetModified(bool changed = true);
    bool IsModified() const { return m_bPageModified; }

protected:
    virtual BOOL OnSetActive();
    virtual BOOL OnKillActive() { return UpdateData(true) ? TRUE : FALSE; }
    virtual BOOL OnApply() { return TRUE; }
    virtual void OnReset() {}
    // Pages are not ended by OK or Cancel of their own; the sheet does that.
    void OnOK() override {}
    void OnCancel() override {}
    bool OnNotify(const NMHDR& header, LRESULT& result) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

private:
    static INT_PTR CALLBACK PageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    bool m_bPageModified = false;
    bool m_bFirstSetActive = true;
};
