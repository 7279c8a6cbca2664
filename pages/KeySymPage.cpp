#include "pages/KeySymPage.h"
#include "frame/KeySymApp.h"
#include "pages/KeySymDialog.h"
#include "pages/ListLayout.h"
#include "pages/PageSupport.h"
#include "resources/resource.h"

const CommandEntry CKsEdtPp::kCommands[] = {
    {CBN_SELCHANGE, IDC_KS_SETS, Handler(&CKsEdtPp::OnSelChangeSets)},
    {BN_CLICKED, IDC_KS_ADD, Handler(&CKsEdtPp::OnAddKeySym)},
    {BN_CLICKED, IDC_KS_EDIT, Handler(&CKsEdtPp::OnEditKeySym)},
    {LBN_SELCHANGE, IDC_KS_KEYSYMS, Handler(&CKsEdtPp::OnSelChangeKeySyms)},
    {BN_CLICKED, IDC_KS_DELETE, Handler(&CKsEdtPp::OnDeleteKeySym)},
    {LBN_DBLCLK, IDC_KS_KEYSYMS, Handler(&CKsEdtPp::OnDblClkKeySyms)},
};

const KeyEntry CKsEdtPp::kKeys[] = {
    {IDC_KS_KEYSYMS, VK_DELETE, IDC_KS_DELETE},
    {IDC_KS_KEYSYMS, VK_RETURN, IDC_KS_EDIT},
    {IDC_KS_KEYSYMS, VK_INSERT, IDC_KS_ADD},
};

CKsEdtPp::CKsEdtPp() : CPropertyPage(IDD_KEYSYM_PAGE), m_pApp(&GetKeySymApp()) {}

std::span<const CommandEntry> CKsEdtPp::GetCommandMap() const { return kCommands; }
std::span<const KeyEntry> CKsEdtPp::GetKeyMap() const { return kKeys; }

void CKsEdtPp::DoDataExchange(CDataExchange& dx)
{
    DDX_Control(dx, IDC_KS_DELETE, m_btnDelete);
    DDX_Control(dx, IDC_KS_EDIT, m_btnEdit);
    DDX_Control(dx, IDC_KS_ADD, m_btnAdd);
    DDX_Control(dx, IDC_KS_KEYSYMS, m_listKeySyms);
    DDX_Control(dx, IDC_KS_SETS, m_comboSets);
}

void CKsEdtPp::LayOutList()
{
    FitListColumns(m_listKeySyms, m_nTabStop);
    SetListHorizontalExtent(m_listKeySyms, m_nTabStop);
}

void CKsEdtPp::FillKeySymList(int comboIndex)
{
    // Rows are added with redraw off: a visible list repaints its scroll bar per row.
    m_listKeySyms.SetRedraw(false);
    AddKeySymRows(m_listKeySyms, m_pApp->m_keySyms, SetOfComboRow(m_comboSets, comboIndex, m_pApp->m_setNames));
    m_listKeySyms.SetRedraw(true);
    m_listKeySyms.Invalidate();
    LayOutList();
}

void CKsEdtPp::UpdateAddButton()
{
    // A keysym belongs to a set: without one chosen there is nowhere to add it.
    m_btnAdd.EnableWindow(m_comboSets.GetCurSel() != CB_ERR);
}

BOOL CKsEdtPp::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    FillSetCombo(m_comboSets, m_pApp->m_setNames);
    FillKeySymList(0);
    m_btnEdit.EnableWindow(false);
    m_btnDelete.EnableWindow(false);
    m_comboSets.SetCurSel(0);
    UpdateAddButton();
    m_comboSets.SetFocus();
    LayOutList();
    return TRUE;
}

BOOL CKsEdtPp::OnSetActive()
{
    m_listKeySyms.ResetContent();
    FillSetCombo(m_comboSets, m_pApp->m_setNames);
    if (m_pApp->m_nCurSet != -1)
        FillKeySymList(m_pApp->m_nCurSet);
    m_btnEdit.EnableWindow(false);
    m_btnDelete.EnableWindow(false);
    m_comboSets.SetCurSel(m_pApp->m_nCurSet);
    UpdateAddButton();
    if (m_pApp->m_nCurKeySym != -1)
        m_listKeySyms.SetCurSel(m_pApp->m_nCurKeySym);
    m_comboSets.SetFocus();
    LayOutList();
    return CPropertyPage::OnSetActive();
}

BOOL CKsEdtPp::OnApply()
{
    // Changes kept unsaved keep the sheet open, whether OK or Apply was pressed.
    return ApplyStoreChanges(*this, *m_pApp) ? CPropertyPage::OnApply() : FALSE;
}

void CKsEdtPp::OnSelChangeSets()
{
    const int index = m_comboSets.GetCurSel();
    m_listKeySyms.ResetContent();
    m_pApp->m_nCurSet = index;
    FillKeySymList(index);
    m_btnEdit.EnableWindow(false);
    m_btnDelete.EnableWindow(false);
    UpdateAddButton();
}

void CKsEdtPp::OnSelChangeKeySyms()
{
    m_btnEdit.EnableWindow(true);
    m_btnDelete.EnableWindow(true);
    m_pApp->m_nCurKeySym = m_listKeySyms.GetCurSel();
}

void CKsEdtPp::MarkChanged()
{
    MarkStoreChanged(*this, *m_pApp);
    LayOutList();
}

bool CKsEdtPp::FindKeySymSet(const std::string& name, std::string& setName) const
{
    auto found = m_pApp->m_keySyms.find(name);
    if (found == m_pApp->m_keySyms.end())
        return false;
    const int set = found->second->m_nSet;
    setName = set >= 0 && set < static_cast<int>(m_pApp->m_setNames.size()) ? m_pApp->m_setNames[set] : std::string();
    return true;
}

void CKsEdtPp::OnAddKeySym()
{
    CKeySymDlg dialog;
    if (dialog.DoModal() != IDOK)
        return;
    const std::string name = dialog.m_strSymName;
    const std::string value = dialog.m_strSymValue;
    if (KeySymNameHasBlankOrAt(name)) {
        ResMessageBox(IDS_KEYSYM_NAME_INVALID, MB_OK | MB_ICONEXCLAMATION, name);
        return;
    }
    if (name.empty() || value.empty())
        return;
    if (!IsStorableKeySymName(name)) {
        ResMessageBox(IDS_KEYSYM_NAME_UNSTORABLE, MB_OK | MB_ICONEXCLAMATION, name);
        return;
    }
    const int set = m_comboSets.GetCurSel();
    std::string holder;
    if (FindKeySymSet(name, holder)) {
        ResMessageBox(IDS_KEYSYM_NAME_USED, MB_OK | MB_ICONEXCLAMATION, name, holder);
        return;
    }
    if (set == CB_ERR)
        return;
    m_pApp->m_keySyms[name] = std::make_unique<CKeySymEntry>(value, set);
    const std::string row = MakeKeySymRow(name, value);
    m_listKeySyms.AddString(row);
    const int added = m_listKeySyms.FindString(-1, row);
    if (added != LB_ERR)
        m_listKeySyms.SetCurSel(added);
    MarkChanged();
}

void CKsEdtPp::OnEditKeySym()
{
    const int row = m_listKeySyms.GetCurSel();
    const int set = m_comboSets.GetCurSel();
    std::string rowText;
    if (row == LB_ERR || set == CB_ERR || !m_listKeySyms.GetText(row, rowText))
        return;
    CKeySymDlg dialog;
    SplitKeySymRow(rowText, dialog.m_strSymName, dialog.m_strSymValue);
    const std::string oldName = dialog.m_strSymName;
    if (dialog.DoModal() != IDOK)
        return;
    const std::string newName = dialog.m_strSymName;
    const std::string newValue = dialog.m_strSymValue;
    if (newName.empty() || newValue.empty())
        return;
    if (!IsStorableKeySymName(newName)) {
        ResMessageBox(IDS_KEYSYM_NAME_UNSTORABLE, MB_OK | MB_ICONEXCLAMATION, newName);
        return;
    }
    // Names are unique across all sets: another keysym's name is not taken over silently.
    std::string holder;
    if (newName != oldName && FindKeySymSet(newName, holder)) {
        ResMessageBox(IDS_KEYSYM_NAME_USED, MB_OK | MB_ICONEXCLAMATION, newName, holder);
        return;
    }
    // Everything that allocates comes first, so running out of memory leaves the store as it was.
    auto replacement = std::make_unique<CKeySymEntry>(newValue, set);
    const std::string newRow = MakeKeySymRow(newName, newValue);
    auto slot = m_pApp->m_keySyms.try_emplace(newName).first;
    if (newName != oldName)
        m_pApp->m_keySyms.erase(oldName);
    slot->second = std::move(replacement);
    m_listKeySyms.DeleteString(row);
    m_listKeySyms.InsertString(row, newRow);
    m_listKeySyms.SetCurSel(row);
    MarkChanged();
}

void CKsEdtPp::OnDblClkKeySyms() { OnEditKeySym(); }

void CKsEdtPp::OnDeleteKeySym()
{
    const int row = m_listKeySyms.GetCurSel();
    std::string rowText, name, value;
    if (row == LB_ERR || !m_listKeySyms.GetText(row, rowText))
        return;
    SplitKeySymRow(rowText, name, value);
    const int set = m_comboSets.GetCurSel();
    const std::string setName = set >= 0 && set < static_cast<int>(m_pApp->m_setNames.size()) ? m_pApp->m_setNames[set] : std::string();
    if (ResMessageBox(IDS_CONFIRM_DELETE_KEYSYM, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2, setName, name) == IDNO)
        return;
    m_listKeySyms.DeleteString(row);
    m_pApp->m_keySyms.erase(name);
    m_btnEdit.EnableWindow(false);
    m_btnDelete.EnableWindow(false);
    MarkChanged();
}
