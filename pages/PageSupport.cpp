#include "pages/PageSupport.h"
#include "frame/KeySymApp.h"
#include "resources/resource.h"

void MarkStoreChanged(CPropertyPage& page, CKeySymApp& app)
{
    page.SetModified(true);
    app.m_bModified = TRUE;
    app.m_bChanged = TRUE;
}

bool ApplyStoreChanges(CPropertyPage& page, CKeySymApp& app)
{
    // Another page of this apply may have saved the store already: nothing is unsaved then,
    // on this page either.
    if (!app.m_bModified) {
        page.SetModified(false);
        return true;
    }
    if (app.KeySymFileChangedOnDisk() &&
        ResMessageBox(IDS_FILE_CHANGED, MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2, app.m_strKeySymFile) != IDYES)
        return false;
    if (!app.SaveKeySymFile()) {
        ResMessageBox(IDS_SAVE_FAILED, MB_OK | MB_ICONEXCLAMATION, app.m_strKeySymFile);
        return false;
    }
    page.SetModified(false);
    app.m_bModified = FALSE;
    return true;
}

std::string MakeKeySymRow(const std::string& name, const std::string& value)
{
    return name + '\t' + value;
}

void SplitKeySymRow(const std::string& row, std::string& name, std::string& value)
{
    const size_t tab = row.find('\t');
    name = row.substr(0, tab);
    value = tab == std::string::npos ? std::string() : row.substr(tab + 1);
}

void FillSetCombo(CComboBox& combo, const std::vector<std::string>& setNames)
{
    combo.ResetContent();
    for (const std::string& name : setNames)
        combo.AddString(name);
}

int SetOfComboRow(const CComboBox& combo, int row, const std::vector<std::string>& setNames)
{
    // By position, never by name: two sets whose names compare equal are both reachable.
    const int setCount = static_cast<int>(setNames.size());
    return row >= 0 && row < setCount && row < combo.GetCount() ? row : setCount;
}

void AddKeySymRows(CListBox& list, const KeySymMap& keySyms, int set)
{
    int rows = 0, bytes = 0;
    for (const auto& [name, entry] : keySyms) {
        if (entry->m_nSet == set) {
            ++rows;
            bytes += static_cast<int>(name.size() + entry->m_strValue.size() + 2);
        }
    }
    list.InitStorage(rows, bytes);
    for (const auto& [name, entry] : keySyms)
        if (entry->m_nSet == set)
            list.AddString(MakeKeySymRow(name, entry->m_strValue));
}
