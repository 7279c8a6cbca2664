#pragma once
// Thin, non-owning wrappers over the standard controls: one message per method.
#include <windows.h>
#include <string>

class CWnd {
public:
    HWND m_hWnd = nullptr;

    void Attach(HWND hwnd) { m_hWnd = hwnd; }
    bool IsValid() const { return m_hWnd && ::IsWindow(m_hWnd); }
    void EnableWindow(bool enable) { ::EnableWindow(m_hWnd, enable ? TRUE : FALSE); }
    bool IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd) != FALSE; }
    void ShowWindow(int cmd) { ::ShowWindow(m_hWnd, cmd); }
    void SetFocus() { ::SetFocus(m_hWnd); }
    void SetWindowText(const std::string& text) { ::SetWindowTextA(m_hWnd, text.c_str()); }
    std::string GetWindowText() const;
    // Text that may hold characters outside the ANSI code page.
    void SetUnicodeText(const std::wstring& text) { ::SetWindowTextW(m_hWnd, text.c_str()); }
    void SetRedraw(bool redraw) { ::SendMessageA(m_hWnd, WM_SETREDRAW, redraw ? TRUE : FALSE, 0); }
    void Invalidate() { ::InvalidateRect(m_hWnd, nullptr, TRUE); }
    HFONT GetFont() const { return reinterpret_cast<HFONT>(::SendMessageA(m_hWnd, WM_GETFONT, 0, 0)); }
};

class CButton : public CWnd {
public:
    bool GetCheck() const { return ::SendMessageA(m_hWnd, BM_GETCHECK, 0, 0) == BST_CHECKED; }
    void SetCheck(bool checked) { ::SendMessageA(m_hWnd, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0); }
};

class CStatic : public CWnd {};

class CEdit : public CWnd {
public:
    void SetLimitText(int limit) { ::SendMessageA(m_hWnd, EM_LIMITTEXT, limit, 0); }
    void SetSel(int start, int end, bool noScroll = false);
    void ReplaceSel(const std::string& text, bool canUndo = false);
};

class CListBox : public CWnd {
public:
    int GetCount() const { return static_cast<int>(::SendMessageA(m_hWnd, LB_GETCOUNT, 0, 0)); }
    int GetCurSel() const { return static_cast<int>(::SendMessageA(m_hWnd, LB_GETCURSEL, 0, 0)); }
    int SetCurSel(int index) { return static_cast<int>(::SendMessageA(m_hWnd, LB_SETCURSEL, index, 0)); }
    void ResetContent() { ::SendMessageA(m_hWnd, LB_RESETCONTENT, 0, 0); }
    int AddString(const std::string& text);
    int InsertString(int index, const std::string& text);
    int DeleteString(int index) { return static_cast<int>(::SendMessageA(m_hWnd, LB_DELETESTRING, index, 0)); }
    int GetTextLen(int index) const { return static_cast<int>(::SendMessageA(m_hWnd, LB_GETTEXTLEN, index, 0)); }
    // The whole text of a row; false when the row does not exist.
    bool GetText(int index, std::string& text) const;
    int FindString(int startAfter, const std::string& prefix) const;
    bool SetTabStops(int count, const int* stops) { return ::SendMessageA(m_hWnd, LB_SETTABSTOPS, count, reinterpret_cast<LPARAM>(stops)) != FALSE; }
    void SetHorizontalExtent(int extent) { ::SendMessageA(m_hWnd, LB_SETHORIZONTALEXTENT, extent, 0); }
    void InitStorage(int items, int bytes) { ::SendMessageA(m_hWnd, LB_INITSTORAGE, items, bytes); }
    void SetItemData(int index, LPARAM data) { ::SendMessageA(m_hWnd, LB_SETITEMDATA, index, data); }
    LPARAM GetItemData(int index) const { return ::SendMessageA(m_hWnd, LB_GETITEMDATA, index, 0); }
};

class CComboBox : public CWnd {
public:
    int GetCount() const { return static_cast<int>(::SendMessageA(m_hWnd, CB_GETCOUNT, 0, 0)); }
    int GetCurSel() const { return static_cast<int>(::SendMessageA(m_hWnd, CB_GETCURSEL, 0, 0)); }
    int SetCurSel(int index) { return static_cast<int>(::SendMessageA(m_hWnd, CB_SETCURSEL, index, 0)); }
    void ResetContent() { ::SendMessageA(m_hWnd, CB_RESETCONTENT, 0, 0); }
    int AddString(const std::string& text);
    bool GetLBText(int index, std::string& text) const;
    void InitStorage(int items, int bytes) { ::SendMessageA(m_hWnd, CB_INITSTORAGE, items, bytes); }
};
