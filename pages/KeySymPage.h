#pragma once
// The keysym page: the keysyms of one set, with Add, Edit and Delete.
#include "framework/PropertyPage.h"
#include <string>

class CKeySymStore;
struct KeySymCheck;

class CKsEdtPp : public CPropertyPage {
public:
    explicit CKsEdtPp(CKeySymStore& store);

protected:
    void DoDataExchange(CDataExchange& dx) override;
    BOOL OnInitDialog() override;
    BOOL OnApply() override;
    BOOL OnSetActive() override;
    std::span<const CommandEntry> GetCommandMap() const override;
    std::span<const KeyEntry> GetKeyMap() const override;

private:
    void OnSelChangeSets();
    void OnAddKeySym();
    void OnEditKeySym();
    void OnSelChangeKeySyms();
    void OnDeleteKeySym();
    void OnDblClkKeySyms();

    void FillKeySymList(int comboIndex);
    void LayOutList();
    void MarkChanged();
    void UpdateAddButton();
    // Says why the store refused an edit of keysym `name`; false when it did not. `told` is
    // set when a message was shown (an empty name or value is refused silently).
    bool Refused(const KeySymCheck& check, const std::string& name, bool* told = nullptr) const;

    static const CommandEntry kCommands[];
    static const KeyEntry kKeys[];

    CKeySymStore& m_store;
    CButton m_btnDelete;
    CButton m_btnEdit;
    CButton m_btnAdd;
    CListBox m_listKeySyms;
    CComboBox m_comboSets;
};
