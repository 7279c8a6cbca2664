#include "pages/SetNameDialog.h"
#include "locale/Strings.h"
#include "resources/resource.h"

const CommandEntry CSetNameDlg::kCommands[] = {
    {EN_CHANGE, IDC_SET_NEW_NAME, Handler(&CSetNameDlg::OnChangeNewName)},
};

CSetNameDlg::CSetNameDlg() : CDialog(IDD_SET_NAME_DIALOG) {}

std::span<const CommandEntry> CSetNameDlg::GetCommandMap() const { return kCommands; }

void CSetNameDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_Control(dx, IDOK, m_btnOK);
    DDX_Control(dx, IDC_SET_CURRENT_LABEL, m_staticOldLabel);
    DDX_Control(dx, IDC_SET_NEW_NAME, m_editNewName);
    DDX_Text(dx, IDC_SET_NEW_NAME, m_strNewName);
    DDX_Text(dx, IDC_SET_CURRENT_NAME, m_strOldName);
}

BOOL CSetNameDlg::OnInitDialog()
{
    // The name field starts empty in both modes: a rename shows the current name beside
    // it, not in it.
    CDialog::OnInitDialog();
    std::string caption;
    if (!m_strOldName.empty()) {
        caption = LoadResString(IDS_RENAME_SET_TITLE);
    } else {
        if (m_staticOldLabel.IsValid())
            m_staticOldLabel.ShowWindow(SW_HIDE);
        caption = LoadResString(IDS_ADD_SET_TITLE);
    }
    SetWindowText(caption);
    m_btnOK.EnableWindow(false);
    m_editNewName.SetLimitText(kNameLimit);
    return TRUE;
}

void CSetNameDlg::OnChangeNewName()
{
    // Blanks count here; the set page trims and judges the name.
    m_strNewName = m_editNewName.GetWindowText();
    m_btnOK.EnableWindow(!m_strNewName.empty());
}
