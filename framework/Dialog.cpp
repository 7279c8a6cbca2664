#include "framework/Dialog.h"
#include "framework/WinApp.h"

void DDX_Control(CDataExchange& dx, int id, CWnd& control)
{
    // Bound to this window's control each time: a dialog object can be run again.
    control.Attach(dx.Control(id));
}

void DDX_Text(CDataExchange& dx, int id, std::string& value)
{
    CWnd control;
    control.Attach(dx.Control(id));
    if (!control.m_hWnd)
        return;
    if (dx.m_bSaveAndValidate)
        value = control.GetWindowText();
    else if (control.GetWindowText() != value)   // an unchanged text sends no change notice
        control.SetWindowText(value);
}

void DDX_LBString(CDataExchange& dx, int id, std::string& value)
{
    CListBox list;
    list.Attach(dx.Control(id));
    if (!list.m_hWnd)
        return;
    if (dx.m_bSaveAndValidate) {
        int row = list.GetCurSel();
        if (row == LB_ERR || !list.GetText(row, value))
            value.clear();
    } else {
        int row = value.empty() ? LB_ERR : list.FindString(-1, value);
        list.SetCurSel(row);
    }
}

void DDV_MaxChars(CDataExchange& dx, int id, const std::string& value, int maxChars)
{
    if (dx.m_bSaveAndValidate) {
        if (static_cast<int>(value.size()) > maxChars)
            dx.Fail();
    } else {
        ::SendMessageA(dx.Control(id), EM_LIMITTEXT, maxChars, 0);
    }
}

INT_PTR CDialog::DoModal()
{
    CActivationScope scope;
    return ::DialogBoxParamA(AfxGetResourceHandle(), MAKEINTRESOURCEA(m_nTemplateId), AfxGetPopupOwner(),
                             DialogProc, reinterpret_cast<LPARAM>(this));
}

bool CDialog::UpdateData(bool saveAndValidate)
{
    CDataExchange dx(m_hWnd, saveAndValidate);
    DoDataExchange(dx);
    return !dx.m_bFailed;
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(false);
    return TRUE;
}

void CDialog::OnOK()
{
    if (UpdateData(true))
        EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

bool CDialog::OnMessage(UINT, WPARAM, LPARAM, INT_PTR&) { return false; }

void CDialog::AttachToWindow(HWND hwnd)
{
    m_hWnd = hwnd;
    ::SetWindowLongPtrA(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(this));
}

CDialog* CDialog::FromWindow(HWND hwnd)
{
    return reinterpret_cast<CDialog*>(::GetWindowLongPtrA(hwnd, DWLP_USER));
}

bool CDialog::PressKeyButton(UINT controlId, WPARAM key)
{
    if (::GetKeyState(VK_CONTROL) < 0 || ::GetKeyState(VK_MENU) < 0)
        return false;
    for (const KeyEntry& entry : GetKeyMap()) {
        if (entry.controlId != controlId || entry.key != key)
            continue;
        HWND button = GetDlgItem(static_cast<int>(entry.buttonId));
        if (button && ::IsWindowEnabled(button))
            ::PostMessageA(m_hWnd, WM_COMMAND, MAKEWPARAM(entry.buttonId, BN_CLICKED), reinterpret_cast<LPARAM>(button));
        return true;   // ours even when the button is disabled: Enter must not press OK instead
    }
    return false;
}

bool CDialog::DispatchCommand(UINT code, UINT id)
{
    for (const CommandEntry& entry : GetCommandMap()) {
        if (entry.code == code && entry.id == id) {
            (this->*entry.handler)();
            return true;
        }
    }
    if (code == BN_CLICKED && id == IDOK) { OnOK(); return true; }
    if (code == BN_CLICKED && id == IDCANCEL) { OnCancel(); return true; }
    return false;
}

INT_PTR CDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    try {
        switch (message) {
        case WM_INITDIALOG:
            return OnInitDialog();
        case WM_COMMAND:
            return DispatchCommand(HIWORD(wParam), LOWORD(wParam)) ? TRUE : FALSE;
        case WM_NOTIFY: {
            LRESULT result = 0;
            if (!OnNotify(*reinterpret_cast<const NMHDR*>(lParam), result))
                return FALSE;
            ::SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, result);
            return TRUE;
        }
        default: {
            INT_PTR result = FALSE;
            return OnMessage(message, wParam, lParam, result) ? result : FALSE;
        }
        }
    } catch (...) {
        ReportCaughtException();
        return FALSE;
    }
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        reinterpret_cast<CDialog*>(lParam)->AttachToWindow(hwnd);
        PushModalWindow(hwnd);
    }
    CDialog* dialog = FromWindow(hwnd);
    if (!dialog)
        return FALSE;
    INT_PTR result = dialog->HandleMessage(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        PopModalWindow(hwnd);
        dialog->m_hWnd = nullptr;
    }
    return result;
}
