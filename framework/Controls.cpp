#include "framework/Controls.h"
#include <vector>

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
    int len = GetTextLen(index);
    if (len == LB_ERR)
        return false;
    // Read straight into the caller's string: lists are read whole after every change.
    text.resize(static_cast<size_t>(len) + 1);
    int got = static_cast<int>(::SendMessageA(m_hWnd, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data())));
    if (got == LB_ERR) {
        text.clear();
        return false;
    }
    text.resize(static_cast<size_t>(got));
    return true;
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
    int len = static_cast<int>(::SendMessageA(m_hWnd, CB_GETLBTEXTLEN, index, 0));
    if (len == CB_ERR)
        return false;
    std::vector<char> buffer(len + 1);
    int got = static_cast<int>(::SendMessageA(m_hWnd, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(buffer.data())));
    if (got == CB_ERR)
        return false;
    text.assign(buffer.data(), got);
    return true;
}
