#pragma once
// What the pages share: marking a change, applying it to the keysym file, the rules for
// names the keysym file can carry, and filling set combo boxes and keysym lists.
#include "framework/PropertyPage.h"
#include "store/KeySymStore.h"
#include <string>
#include <vector>

class CKeySymApp;

// The store and the page now hold changes that are not in the keysym file.
void MarkStoreChanged(CPropertyPage& page, CKeySymApp& app);
// Writes the store when it holds changes; on failure says so and keeps everything marked.
void ApplyStoreChanges(CPropertyPage& page, CKeySymApp& app);

// A keysym name that comes back from the keysym file as it went in: no "=", tab or other
// control character, not beginning with "[" or ";", no blank at either end.
bool IsStorableKeySymName(const std::string& name);
// "name TAB value", split back at the first tab.
std::string MakeKeySymRow(const std::string& name, const std::string& value);
void SplitKeySymRow(const std::string& row, std::string& name, std::string& value);

// The set names, in store order, as the only rows of `combo`: a row is a set position.
void FillSetCombo(CComboBox& combo, const std::vector<std::string>& setNames);
// The set position of the first set named like combo row `row` (letter case aside); the
// number of sets, which no keysym carries, when there is no such row or set.
int SetOfComboRow(const CComboBox& combo, int row, const std::vector<std::string>& setNames);
// Appends the keysym row of every keysym of set `set`, in store order.
void AddKeySymRows(CListBox& list, const KeySymMap& keySyms, int set);
