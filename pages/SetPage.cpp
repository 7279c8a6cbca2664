#include "pages/SetPage.h"
#include "frame/KeySymApp.h"
#include "resources/resource.h"

CStEdtPp::CStEdtPp() : CPropertyPage(IDD_SET_PAGE), m_pApp(&GetKeySymApp()) {}
