#pragma once
// The dialog in which the user types the name of a set, to add it or to rename one.
#include "framework/Dialog.h"
#include <string>

class CSetNameDlg : public CDialog {
public:
    CSetNameDlg();

    std::string m_strNewName;
    std::string m_strOldName;
};
