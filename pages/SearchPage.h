#pragma once
// The search page: finds keysyms by name across all sets and shows each hit in its set.
#include "framework/PropertyPage.h"
#include <string>

class CKeySymStore;

class CSchPp : public CPropertyPage {
public:
    explicit CSchPp(CKeySymStore& store);

protected:
    void DoDataExchange(CDataExchange& dx) override;
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    std::span<const CommandEntry> GetCommandMap() const override;
    std::span<const KeyEntry> GetKeyMap() const override;

private:
    void OnSelChangeSets();
    void OnMatchCase();
    void OnWholeName();
    void OnChangeFindText();
    void OnFind();
    void OnSelChangeKeySyms();

    // Lists the keysyms of the set named by combo row `comboRow`, in store order.
    void FillKeySymList(int comboRow);
    // Selects the list row of keysym `name`; leaves the selection alone when it is not listed.
    void SelectKeySymByName(const std::string& name);
    void LayOutList();
    bool RowHasName(int row, const std::string& name) const;
    // Where keysym `name` stands among the listed set's keysyms in store order; -1 when it
    // is not in that set.
    int StoreRowOf(const std::string& name) const;
    // The set whose keysyms combo row `comboRow` lists: the first set of that name, ignoring
    // case; the number of sets (a set no keysym is in) when the row does not exist.
    int SetOfComboRow(int comboRow) const;
    void AddKeySymRows(int set);
    void EmptyKeySymList();
    // Shows a hit: its set in the combo box and the list, its row selected.
    void ShowHit(const std::string& name, int set);
    // Ends a search that ran out of keysyms; tells the user when a new search found nothing.
    void EndSearch(bool continued);

    static const CommandEntry kCommands[];
    static const KeyEntry kKeys[];

    CKeySymStore& m_store;
    // The set whose keysyms the list holds; -1 while it holds none.
    int m_nListedSet = -1;
    BOOL m_bMatchCase = FALSE;
    BOOL m_bWholeName = FALSE;
    BOOL m_bFindNext = FALSE;
    // A continued search resumes after this name, not at a remembered map position: the
    // store may change on another page between two presses.
    std::string m_strLastHit;
    CEdit m_editFind;
    CListBox m_listKeySyms;
    CComboBox m_comboSets;
    CButton m_checkWholeName;
    CButton m_checkMatchCase;
    CButton m_btnFind;
    std::string m_strFind;
};
