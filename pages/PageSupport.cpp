#include "pages/PageSupport.h"
#include "resources/resource.h"
#include "store/KeySymFileLines.h"

void MarkStoreChanged(CPropertyPage& page, CKeySymStore& store)
{
    page.SetModified(true);
    store.m_bModified = TRUE;
    store.m_bChanged = TRUE;
}

bool ApplyStoreChanges(CPropertyPage& page, CKeySymStore& store)
{
    // Another page of this apply may have saved the store already: nothing is unsaved then,
    // on this page either.
    if (!store.m_bModified) {
        page.SetModified(false);
        return true;
    }
    // The check happens under the writers' lock, so the question comes after a first try.
    KeySymSave saved = store.SaveKeySymFile(false);
    if (saved == KeySymSave::ChangedOnDisk) {
        if (ResMessageBox(IDS_FILE_CHANGED, MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2, store.m_strKeySymFile) != IDYES)
            return false;
        saved = store.SaveKeySymFile(true);
    }
    if (saved == KeySymSave::Refused) {
        const EditorMessage refusal = DescribeSaveRefusal(store.m_saveRefusal, store.m_strKeySymFile);
        ResMessageBox(refusal.stringId, MB_OK | MB_ICONEXCLAMATION, refusal.arg1, refusal.arg2);
        return false;
    }
    if (saved != KeySymSave::Saved) {
        ResMessageBox(IDS_SAVE_FAILED, MB_OK | MB_ICONEXCLAMATION, store.m_strKeySymFile);
        return false;
    }
    page.SetModified(false);
    store.m_bModified = FALSE;
    return true;
}

namespace {
std::string MakeKeySymRow(const std::string& name, const std::string& value)
{
    return name + '\t' + value;
}
}  // namespace

int InsertKeySymRow(CListBox& list, int row, const KeySymMap::value_type& keySym)
{
    const int index = list.InsertString(row, MakeKeySymRow(keySym.first, keySym.second->m_strValue));
    if (index >= 0)
        list.SetItemData(index, reinterpret_cast<LPARAM>(&keySym));
    return index;
}

const KeySymMap::value_type* KeySymOfRow(const CListBox& list, int row)
{
    if (row < 0 || row >= list.GetCount())
        return nullptr;
    return reinterpret_cast<const KeySymMap::value_type*>(list.GetItemData(row));
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
    for (const KeySymMap::value_type& keySym : keySyms)
        if (keySym.second->m_nSet == set)
            InsertKeySymRow(list, -1, keySym);
}
