#include "pages/KeySymDialog.h"
#include "locale/Strings.h"
#include "resources/resource.h"
#include "x11/KeySymHints.h"
#include <cstring>

namespace {
const char kHexDigits[] = "0123456789abcdefABCDEF";
}

const CommandEntry CKeySymDlg::kCommands[] = {
    {EN_CHANGE, IDC_SYM_NAME, Handler(&CKeySymDlg::OnChangeSymName)},
    {EN_CHANGE, IDC_SYM_VALUE, Handler(&CKeySymDlg::OnChangeSymValue)},
};

CKeySymDlg::CKeySymDlg() : CDialog(IDD_KEYSYM_DIALOG) {}

std::span<const CommandEntry> CKeySymDlg::GetCommandMap() const { return kCommands; }

void CKeySymDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_Control(dx, IDOK, m_btnOK);
    DDX_Control(dx, IDC_SYM_VALUE, m_editSymValue);
    DDX_Control(dx, IDC_SYM_NAME, m_editSymName);
    DDX_Control(dx, IDC_SYM_HINT, m_staticHint);
    DDX_Text(dx, IDC_SYM_NAME, m_strSymName);
    DDX_Text(dx, IDC_SYM_VALUE, m_strSymValue);
}

BOOL CKeySymDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetWindowText(LoadResString(m_bNewKeySym || m_strSymName.empty() ? IDS_NEW_KEYSYM_TITLE : IDS_EDIT_KEYSYM_TITLE));
    if (m_strSymName.empty() && m_strSymValue.empty())
        m_btnOK.EnableWindow(false);
    // Limits come after the fields were filled: a longer text can be shortened, not lengthened.
    m_editSymName.SetLimitText(kNameLimit);
    m_editSymValue.SetLimitText(kValueLimit);
    UpdateHint();
    if (m_nSelectedField) {
        CEdit& field = m_nSelectedField == IDC_SYM_VALUE ? m_editSymValue : m_editSymName;
        field.SetFocus();
        field.SetSel(0, -1);
        return FALSE;   // the focus is set
    }
    return TRUE;
}

void CKeySymDlg::ReopenAt(int field, bool newKeySym)
{
    m_nSelectedField = field;
    m_bNewKeySym = newKeySym;
}

void CKeySymDlg::UpdateOkButton()
{
    m_btnOK.EnableWindow(!m_strSymName.empty() && !m_strSymValue.empty());
}

void CKeySymDlg::UpdateHint()
{
    std::wstring text;
    for (const KeySymHint& hint : KeySymHints(m_strSymName, m_strSymValue)) {
        if (!text.empty())
            text += L"\r\n";
        text += FormatKeySymHint(LoadResStringW(hint.textId), hint);
    }
    // Unicode all the way: the character may be outside the ANSI code page.
    m_staticHint.SetUnicodeText(text);
}

void CKeySymDlg::OnChangeSymName()
{
    m_strSymName = m_editSymName.GetWindowText();
    UpdateOkButton();
    UpdateHint();
}

void CKeySymDlg::OnChangeSymValue()
{
    m_strSymValue = m_editSymValue.GetWindowText();
    if (!m_strSymValue.empty() && !std::strchr(kHexDigits, m_strSymValue.back())) {
        // Replacing the text changes the field again, so this runs once per trailing
        // non-hex character until the value ends in a hex digit.
        m_editSymValue.SetSel(0, -1);
        m_strSymValue.pop_back();
        m_editSymValue.ReplaceSel(m_strSymValue, false);
    }
    UpdateOkButton();
    UpdateHint();
}
