#pragma once
// What every page that changes the store shares: marking a change, applying it to the
// keysym file, and the rules for names the keysym file can carry.
#include "framework/PropertyPage.h"
#include <string>

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
