#pragma once
// The dialog in which the user types the name of a set, to add it or to rename one.
// Add mode when m_strOldName is empty; rename mode shows the current name beside the field.
#include "framework/Dialog.h"
#include <string>

class CSetNameDlg : public CDialog {
public:
    CSetNameDlg();

    // Filled by the caller before DoModal (m_strOldName, rename only), read back after IDOK.
    std::string m_strNewName;
    std::string m_strOldName;

    static constexpr int kNameLimit = 40;

protected:
    void DoDataExchange(CDataExchange& dx) override;
    BOOL OnInitDialog() override;
    std::span<const CommandEntry> GetCommandMap() const override;

private:
    void OnChangeNewName();
    static const CommandEntry kCommands[];

    CButton m_btnOK;
    CStatic m_staticOldLabel;
    CEdit m_editNewName;
};
