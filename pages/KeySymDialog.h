#pragma once
// The dialog in which the user types a keysym's name and hexadecimal value.
#include "framework/Dialog.h"
#include "store/NameRules.h"
#include <string>

class CKeySymDlg : public CDialog {
public:
    CKeySymDlg();

    // Filled by the caller before DoModal, read back after IDOK.
    std::string m_strSymName;
    std::string m_strSymValue;

    // Opens the dialog again with what the user typed after the page refused it: a new
    // keysym keeps its caption, and `field`'s text is selected, with the focus in it.
    void ReopenAt(int field, bool newKeySym);

    static constexpr int kNameLimit = static_cast<int>(kMaxKeySymNameChars);
    static constexpr int kValueLimit = static_cast<int>(kMaxKeySymValueDigits);

protected:
    void DoDataExchange(CDataExchange& dx) override;
    BOOL OnInitDialog() override;
    std::span<const CommandEntry> GetCommandMap() const override;

private:
    void OnChangeSymName();
    void OnChangeSymValue();
    void UpdateOkButton();
    // What X11 knows of the name and value as they stand: up to three lines.
    void UpdateHint();
    static const CommandEntry kCommands[];

    CButton m_btnOK;
    CEdit m_editSymValue;
    CEdit m_editSymName;
    CStatic m_staticHint;
    int m_nSelectedField = 0;   // 0: the dialog's first field, nothing selected
    bool m_bNewKeySym = false;
};
