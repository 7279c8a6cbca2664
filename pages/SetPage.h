#pragma once
// The set page: the list of sets, with Add, Rename and Delete.
#include "framework/PropertyPage.h"

class CKeySymApp;

class CStEdtPp : public CPropertyPage {
public:
    CStEdtPp();

private:
    CKeySymApp* m_pApp;
};
