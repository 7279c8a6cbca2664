#pragma once
// The search page: finds keysyms by name across all sets.
#include "framework/PropertyPage.h"

class CKeySymApp;

class CSchPp : public CPropertyPage {
public:
    CSchPp();

private:
    CKeySymApp* m_pApp;
};
