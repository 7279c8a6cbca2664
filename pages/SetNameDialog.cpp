#include "pages/SetNameDialog.h"
#include "resources/resource.h"

CSetNameDlg::CSetNameDlg() : CDialog(IDD_SET_NAME_DIALOG) {}
