#include "framework/Controls.h"
#include <algorithm>
#include <vector>

namespace {
// Rows are read as Unicode and converted in the code page they were added in: an ANSI read of
// a row longer than about 511 characters comes back empty from some version 6 controls.
bool ReadRow(HWND control, UINT lengthMessage, UINT textMessage, int index, std::string& text)
{
    const LRESULT length = ::SendMessageW(control, lengthMessage, index, 0);
    if (length < 0) {
        text.clear();
        return false;
    }
    std::wstring wide(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT got = ::SendMessageW(control, textMessage, index, reinterpret_cast<LPARAM>(wide.data()));
    if (got < 0) {
        text.clear();
        return false;
    }
    const int chars = static_cast<int>(std::min<LRESULT>(got, length));
    const int bytes = ::WideCharToMultiByte(CP_ACP, 0, wide.data(), chars, nullptr, 0, nullptr, nullptr);
    text.resize(static_cast<size_t>(bytes));
    ::WideCharToMultiByte(CP_ACP, 0, wide.data(), chars, text.data(), bytes, nullptr, nullptr);
    return true;
}
}

std::string CWnd::GetWindowText() const
{
    int len = ::GetWindowTextLengthA(m_hWnd);
    std::string text(len > 0 ? len + 1 : 1, '\0');
    int got = ::GetWindowTextA(m_hWnd, text.data(), static_cast<int>(text.size()));
    text.resize(got > 0 ? got : 0);
    return text;
}

void CEdit::SetSel(int start, int end, bool noScroll)
{
    ::SendMessageA(m_hWnd, EM_SETSEL, start, end);
    if (!noScroll)
        ::SendMessageA(m_hWnd, EM_SCROLLCARET, 0, 0);
}

void CEdit::ReplaceSel(const std::string& text, bool canUndo)
{
    ::SendMessageA(m_hWnd, EM_REPLACESEL, canUndo ? TRUE : FALSE, reinterpret_cast<LPARAM>(text.c_str()));
}

int CListBox::AddString(const std::string& text)
{
    return static_cast<int>(::SendMessageA(m_hWnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
}

int CListBox::InsertString(int index, const std::string& text)
{
    return static_cast<int>(::SendMessageA(m_hWnd, LB_INSERTSTRING, index, reinterpret_cast<LPARAM>(text.c_str())));
}

bool CListBox::GetText(int index, std::string& text) const
{
    return ReadRow(m_hWnd, LB_GETTEXTLEN, LB_GETTEXT, index, text);
}

int CListBox::FindString(int startAfter, const std::string& prefix) const
{
    return static_cast<int>(::SendMessageA(m_hWnd, LB_FINDSTRING, startAfter, reinterpret_cast<LPARAM>(prefix.c_str())));
}

int CComboBox::AddString(const std::string& text)
{
    return static_cast<int>(::SendMessageA(m_hWnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
}

bool CComboBox::GetLBText(int index, std::string& text) const
{
    return ReadRow(m_hWnd, CB_GETLBTEXTLEN, CB_GETLBTEXT, index, text);
}
