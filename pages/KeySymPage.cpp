#include "pages/KeySymPage.h"
#include "pages/KeySymDialog.h"
#include "pages/ListLayout.h"
#include "pages/PageSupport.h"
#include "resources/resource.h"
#include "store/KeySymEdits.h"

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

CKsEdtPp::CKsEdtPp(CKeySymStore& store) : CPropertyPage(IDD_KEYSYM_PAGE), m_store(store) {}

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
    LayOutKeySymList(m_listKeySyms);
}

void CKsEdtPp::FillKeySymList(int comboIndex)
{
    // Rows are added and laid out with redraw off: a visible list repaints its scroll bars
    // for every row added and every change of tab stops or extent.
    m_listKeySyms.SetRedraw(false);
    AddKeySymRows(m_listKeySyms, m_store.m_keySyms, SetOfComboRow(m_comboSets, comboIndex, m_store.m_setNames));
    LayOutList();
    m_listKeySyms.SetRedraw(true);
    m_listKeySyms.Invalidate();
}

void CKsEdtPp::UpdateAddButton()
{
    // A keysym belongs to a set: without one chosen there is nowhere to add it.
    m_btnAdd.EnableWindow(m_comboSets.GetCurSel() != CB_ERR);
}

BOOL CKsEdtPp::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    FillSetCombo(m_comboSets, m_store.m_setNames);
    // The list is filled once, by OnSetActive, which always follows: a set of 100,000 keysyms
    // filled twice would keep the user waiting.
    m_btnEdit.EnableWindow(false);
    m_btnDelete.EnableWindow(false);
    m_comboSets.SetCurSel(0);
    UpdateAddButton();
    m_comboSets.SetFocus();
    return TRUE;
}

BOOL CKsEdtPp::OnSetActive()
{
    m_listKeySyms.ResetContent();
    FillSetCombo(m_comboSets, m_store.m_setNames);
    if (m_store.m_nCurSet != -1)
        FillKeySymList(m_store.m_nCurSet);   // lays the list out
    else
        LayOutList();
    m_btnEdit.EnableWindow(false);
    m_btnDelete.EnableWindow(false);
    m_comboSets.SetCurSel(m_store.m_nCurSet);
    UpdateAddButton();
    if (m_store.m_nCurKeySym != -1)
        m_listKeySyms.SetCurSel(m_store.m_nCurKeySym);
    m_comboSets.SetFocus();
    return CPropertyPage::OnSetActive();
}

BOOL CKsEdtPp::OnApply()
{
    // Changes kept unsaved keep the sheet open, whether OK or Apply was pressed.
    return ApplyStoreChanges(*this, m_store) ? CPropertyPage::OnApply() : FALSE;
}

void CKsEdtPp::OnSelChangeSets()
{
    const int index = m_comboSets.GetCurSel();
    m_listKeySyms.ResetContent();
    m_store.m_nCurSet = index;
    FillKeySymList(index);
    m_btnEdit.EnableWindow(false);
    m_btnDelete.EnableWindow(false);
    UpdateAddButton();
}

void CKsEdtPp::OnSelChangeKeySyms()
{
    m_btnEdit.EnableWindow(true);
    m_btnDelete.EnableWindow(true);
    m_store.m_nCurKeySym = m_listKeySyms.GetCurSel();
}

void CKsEdtPp::MarkChanged()
{
    MarkStoreChanged(*this, m_store);
    LayOutList();
}

bool CKsEdtPp::Refused(const KeySymCheck& check, const std::string& name, bool* told) const
{
    if (check.verdict == KeySymVerdict::Usable)
        return false;
    const EditorMessage refusal = DescribeKeySymRefusal(m_store, check, name);
    if (refusal.stringId)
        ResMessageBox(refusal.stringId, MB_OK | MB_ICONEXCLAMATION, refusal.arg1, refusal.arg2);
    if (told)
        *told = refusal.stringId != 0;
    return true;
}

void CKsEdtPp::OnAddKeySym()
{
    CKeySymDlg dialog;
    const std::string& name = dialog.m_strSymName;
    // A refused name brings the dialog back with what was typed, the name selected.
    for (bool told = false;; dialog.ReopenAt(IDC_SYM_NAME, true)) {
        if (dialog.DoModal() != IDOK)
            return;
        if (!Refused(AddKeySym(m_store, m_comboSets.GetCurSel(), name, dialog.m_strSymValue), name, &told))
            break;
        if (!told)
            return;
    }
    const int added = InsertKeySymRow(m_listKeySyms, -1, *m_store.m_keySyms.find(name));
    if (added >= 0)
        m_listKeySyms.SetCurSel(added);
    MarkChanged();
}

void CKsEdtPp::OnEditKeySym()
{
    const int row = m_listKeySyms.GetCurSel();
    const KeySymMap::value_type* keySym = KeySymOfRow(m_listKeySyms, row);
    if (!keySym || m_comboSets.GetCurSel() == CB_ERR)
        return;
    CKeySymDlg dialog;
    dialog.m_strSymName = keySym->first;
    dialog.m_strSymValue = keySym->second->m_strValue;
    const std::string oldName = keySym->first;
    const std::string& newName = dialog.m_strSymName;
    for (bool told = false;; dialog.ReopenAt(IDC_SYM_NAME, false)) {
        if (dialog.DoModal() != IDOK)
            return;
        if (!Refused(EditKeySym(m_store, oldName, newName, dialog.m_strSymValue), newName, &told))
            break;
        if (!told)
            return;
    }
    m_listKeySyms.DeleteString(row);
    InsertKeySymRow(m_listKeySyms, row, *m_store.m_keySyms.find(newName));
    m_listKeySyms.SetCurSel(row);
    MarkChanged();
}

void CKsEdtPp::OnDblClkKeySyms() { OnEditKeySym(); }

void CKsEdtPp::OnDeleteKeySym()
{
    const int row = m_listKeySyms.GetCurSel();
    const KeySymMap::value_type* keySym = KeySymOfRow(m_listKeySyms, row);
    if (!keySym)
        return;
    const std::string name = keySym->first;
    if (ResMessageBox(IDS_CONFIRM_DELETE_KEYSYM, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2,
                      m_store.SetName(m_comboSets.GetCurSel()), name) == IDNO)
        return;
    m_listKeySyms.DeleteString(row);
    DeleteKeySym(m_store, name);
    m_btnEdit.EnableWindow(false);
    m_btnDelete.EnableWindow(false);
    MarkChanged();
}
