#pragma once
// What the pages share: marking a change, applying it to the keysym file, and filling set
// combo boxes and keysym lists. The name rules are in store/NameRules.h.
#include "framework/PropertyPage.h"
#include "store/KeySymStore.h"
#include "store/NameRules.h"
#include "locale/MessageBoxes.h"
#include "locale/Strings.h"
#include <string>
#include <vector>

// The store and the page now hold changes that are not in the keysym file.
void MarkStoreChanged(CPropertyPage& page, CKeySymStore& store);
// Writes the store when it holds changes. Asks first when another program changed the keysym
// file since the editor read or wrote it. False when the changes were kept unsaved (the user
// said no, or the save failed and said so): the sheet must then stay open.
bool ApplyStoreChanges(CPropertyPage& page, CKeySymStore& store);

// Puts the row "name TAB value" of `keySym` at `row` (-1: at the end), carrying the keysym.
// A name may hold a tab itself, so a row is never read back for its keysym. Its index or LB_ERR.
int InsertKeySymRow(CListBox& list, int row, const KeySymMap::value_type& keySym);
// The keysym row `row` carries; null when there is no such row.
const KeySymMap::value_type* KeySymOfRow(const CListBox& list, int row);

// The set names, in store order, as the only rows of `combo`: a row is a set position.
void FillSetCombo(CComboBox& combo, const std::vector<std::string>& setNames);
// The set position of combo row `row`, which is the row itself; the number of sets, which no
// keysym carries, when there is no such row or set.
int SetOfComboRow(const CComboBox& combo, int row, const std::vector<std::string>& setNames);
// Appends the keysym row of every keysym of set `set`, in store order.
void AddKeySymRows(CListBox& list, const KeySymMap& keySyms, int set);
