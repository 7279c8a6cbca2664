#include "pages/SearchPage.h"
#include "pages/ListLayout.h"
#include "pages/PageSupport.h"
#include "resources/resource.h"
#include "store/KeySymSearch.h"

namespace {
// The longest search text the edit takes.
const int kMaxFindChars = 32;
}  // namespace

const CommandEntry CSchPp::kCommands[] = {
    {CBN_SELCHANGE, IDC_SCH_SETS, Handler(&CSchPp::OnSelChangeSets)},
    {BN_CLICKED, IDC_SCH_MATCH_CASE, Handler(&CSchPp::OnMatchCase)},
    {BN_CLICKED, IDC_SCH_WHOLE_NAME, Handler(&CSchPp::OnWholeName)},
    {EN_CHANGE, IDC_SCH_FIND_TEXT, Handler(&CSchPp::OnChangeFindText)},
    {BN_CLICKED, IDC_SCH_FIND, Handler(&CSchPp::OnFind)},
    {LBN_SELCHANGE, IDC_SCH_KEYSYMS, Handler(&CSchPp::OnSelChangeKeySyms)},
};

const KeyEntry CSchPp::kKeys[] = {
    {IDC_SCH_FIND_TEXT, VK_RETURN, IDC_SCH_FIND},
};

CSchPp::CSchPp(CKeySymStore& store) : CPropertyPage(IDD_SEARCH_PAGE), m_store(store) {}

std::span<const CommandEntry> CSchPp::GetCommandMap() const { return kCommands; }
std::span<const KeyEntry> CSchPp::GetKeyMap() const { return kKeys; }

void CSchPp::DoDataExchange(CDataExchange& dx)
{
    DDX_Control(dx, IDC_SCH_FIND_TEXT, m_editFind);
    DDX_Control(dx, IDC_SCH_KEYSYMS, m_listKeySyms);
    DDX_Control(dx, IDC_SCH_SETS, m_comboSets);
    DDX_Control(dx, IDC_SCH_WHOLE_NAME, m_checkWholeName);
    DDX_Control(dx, IDC_SCH_MATCH_CASE, m_checkMatchCase);
    DDX_Control(dx, IDC_SCH_FIND, m_btnFind);
    DDX_Text(dx, IDC_SCH_FIND_TEXT, m_strFind);
    DDV_MaxChars(dx, IDC_SCH_FIND_TEXT, m_strFind, kMaxFindChars);
}

void CSchPp::LayOutList()
{
    LayOutKeySymList(m_listKeySyms);
}

int CSchPp::SetOfComboRow(int comboRow) const
{
    return ::SetOfComboRow(m_comboSets, comboRow, m_store.m_setNames);
}

void CSchPp::AddKeySymRows(int set)
{
    ::AddKeySymRows(m_listKeySyms, m_store.m_keySyms, set);
    m_nListedSet = set;
}

void CSchPp::FillKeySymList(int comboRow)
{
    // Rows are added and laid out with redraw off: a visible list repaints its scroll
    // bars for every row added and every change of tab stops or extent.
    m_listKeySyms.SetRedraw(false);
    AddKeySymRows(SetOfComboRow(comboRow));
    LayOutList();
    m_listKeySyms.SetRedraw(true);
    m_listKeySyms.Invalidate();
}

void CSchPp::EmptyKeySymList()
{
    m_listKeySyms.ResetContent();
    m_nListedSet = -1;
}

bool CSchPp::RowHasName(int row, const std::string& name) const
{
    const KeySymMap::value_type* keySym = KeySymOfRow(m_listKeySyms, row);
    return keySym && keySym->first == name;
}

int CSchPp::StoreRowOf(const std::string& name) const
{
    const auto found = m_store.m_keySyms.find(name);
    if (found == m_store.m_keySyms.end() || found->second->m_nSet != m_nListedSet)
        return -1;
    int row = 0;
    for (auto it = m_store.m_keySyms.begin(); it != found; ++it)
        if (it->second->m_nSet == m_nListedSet)
            ++row;
    return row;
}

void CSchPp::SelectKeySymByName(const std::string& name)
{
    // The list holds its set's keysyms in store order, so the row can be worked out from
    // the store and checked, instead of reading a long list row by row.
    int row = StoreRowOf(name);
    if (row < 0 || !RowHasName(row, name)) {
        const int count = m_listKeySyms.GetCount();
        for (row = 0; row < count && !RowHasName(row, name); ++row) {}
        if (row >= count)
            return;
    }
    m_listKeySyms.SetCurSel(row);
    m_store.m_nCurKeySym = row;
}

BOOL CSchPp::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    FillSetCombo(m_comboSets, m_store.m_setNames);
    // The list is filled once, by OnSetActive, which always follows.
    m_comboSets.SetCurSel(0);
    m_btnFind.EnableWindow(false);
    m_editFind.SetFocus();
    return FALSE;
}

BOOL CSchPp::OnSetActive()
{
    // Sets and keysyms may have changed on the other pages since this page was last shown.
    EmptyKeySymList();
    FillSetCombo(m_comboSets, m_store.m_setNames);
    if (m_store.m_nCurSet != -1)
        FillKeySymList(m_store.m_nCurSet);   // lays the list out
    else
        LayOutList();
    m_comboSets.SetCurSel(m_store.m_nCurSet);
    if (m_store.m_nCurKeySym != -1)
        m_listKeySyms.SetCurSel(m_store.m_nCurKeySym);
    // The caption tells whether a search can be continued: only an idle page starts afresh.
    if (m_btnFind.GetWindowText() == LoadResString(IDS_FIND)) {
        m_editFind.SetWindowText("");
        m_btnFind.EnableWindow(false);
    }
    m_editFind.SetFocus();
    return CPropertyPage::OnSetActive();
}

void CSchPp::OnSelChangeSets()
{
    const int row = m_comboSets.GetCurSel();
    m_store.m_nCurSet = row;
    EmptyKeySymList();
    FillKeySymList(row);
}

void CSchPp::OnSelChangeKeySyms() { m_store.m_nCurKeySym = m_listKeySyms.GetCurSel(); }

void CSchPp::OnMatchCase() { m_bMatchCase = m_checkMatchCase.GetCheck() ? TRUE : FALSE; }

void CSchPp::OnWholeName() { m_bWholeName = m_checkWholeName.GetCheck() ? TRUE : FALSE; }

void CSchPp::OnChangeFindText()
{
    m_strFind = m_editFind.GetWindowText();
    m_btnFind.EnableWindow(!m_strFind.empty());
    m_strLastHit.clear();
    m_bFindNext = FALSE;
}

void CSchPp::OnFind()
{
    auto& keySyms = m_store.m_keySyms;
    // Resuming after the last hit's name stays right when keysyms were added or removed since.
    auto next = m_bFindNext ? keySyms.upper_bound(m_strLastHit) : keySyms.begin();
    const KeySymSearch search(m_strFind, m_bMatchCase != FALSE, m_bWholeName != FALSE);
    for (; next != keySyms.end(); ++next) {
        const std::string& name = next->first;
        if (!search.Matches(name))
            continue;
        m_bFindNext = TRUE;
        m_strLastHit = name;
        ShowHit(name, next->second->m_nSet);
        m_btnFind.SetWindowText(LoadResString(IDS_FIND_NEXT));
        return;
    }
    EndSearch(m_bFindNext != FALSE);
}

void CSchPp::ShowHit(const std::string& name, int set)
{
    m_comboSets.SetCurSel(set);
    m_store.m_nCurSet = set;
    // The list is refilled and the row selected with redraw off, so it is painted once.
    m_listKeySyms.SetRedraw(false);
    // Nothing changes the store while this page is shown: a list that already holds the
    // hit's set would be refilled with the same rows.
    if (SetOfComboRow(set) != m_nListedSet) {
        EmptyKeySymList();
        AddKeySymRows(SetOfComboRow(set));
        LayOutList();
    }
    SelectKeySymByName(name);
    m_listKeySyms.SetRedraw(true);
    m_listKeySyms.Invalidate();
}

void CSchPp::EndSearch(bool continued)
{
    if (continued) {
        m_btnFind.EnableWindow(false);
        m_btnFind.SetWindowText(LoadResString(IDS_FIND));
        m_editFind.SetWindowText("");   // empties m_strFind through OnChangeFindText
    } else {
        ResMessageBox(IDS_NOT_FOUND, MB_OK | MB_ICONEXCLAMATION, m_strFind);
        m_btnFind.EnableWindow(false);
        m_editFind.SetFocus();   // the Find button that had the focus is disabled now
    }
    m_bFindNext = FALSE;
    m_strLastHit.clear();
}
