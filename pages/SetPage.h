#pragma once
// The set page: the list of sets, with Add, Rename and Delete. Row i of the list is the
// set at position i of the sorted set list, so a row number is a set position.
#include "framework/PropertyPage.h"
#include <string>

class CKeySymStore;

class CStEdtPp : public CPropertyPage {
public:
    explicit CStEdtPp(CKeySymStore& store);

protected:
    void DoDataExchange(CDataExchange& dx) override;
    BOOL OnInitDialog() override;
    BOOL OnApply() override;
    BOOL OnSetActive() override;
    std::span<const CommandEntry> GetCommandMap() const override;
    std::span<const KeyEntry> GetKeyMap() const override;

private:
    void OnAddSet();
    void OnRenameSet();
    void OnSelChangeSetList();
    void OnDeleteSet();
    void OnImportKeySyms();
    void OnExportKeySyms();

    // The name to use for `typed` (a new set when `self` is -1); says why when there is none.
    bool AcceptSetName(const std::string& typed, int self, std::string& name) const;
    void FillSetList();
    // Shows `name` as row `row`, or the whole list again should the list refuse the row.
    void InsertSetRow(int row, const std::string& name);
    // The selected row's set name; false when no row is selected.
    bool GetSelectedSet(int& row, std::string& name) const;
    // Import and Export work on the selected set: enabled exactly while there is one.
    void UpdateInterchangeButtons();

    static const CommandEntry kCommands[];
    static const KeyEntry kKeys[];

    CKeySymStore& m_store;
    CButton m_btnDelete;
    CButton m_btnRename;
    CButton m_btnAdd;
    CButton m_btnImport;
    CButton m_btnExport;
    CListBox m_listSets;
    std::string m_strSelSet;
};
