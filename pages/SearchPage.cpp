#include "pages/SearchPage.h"
#include "frame/KeySymApp.h"
#include "resources/resource.h"

CSchPp::CSchPp() : CPropertyPage(IDD_SEARCH_PAGE), m_pApp(&GetKeySymApp()) {}
