#pragma once
// The keysym page: the keysyms of one set, with Add, Edit and Delete.
#include "framework/PropertyPage.h"
#include <string>

class CKeySymApp;

class CKsEdtPp : public CPropertyPage {
public:
    CKsEdtPp();

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
    // The set that holds keysym `name` in another row, or false when the name is free.
    bool FindKeySymSet(const std::string& name, std::string& setName) const;

    static const CommandEntry kCommands[];
    static const KeyEntry kKeys[];

    CKeySymApp* m_pApp;
    int m_nTabStop = 0;
    CButton m_btnDelete;
    CButton m_btnEdit;
    CButton m_btnAdd;
    CListBox m_listKeySyms;
    CComboBox m_comboSets;
};
