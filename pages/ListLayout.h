#pragma once
// Two-column keysym lists ("name TAB value" rows): the value column starts right of the
// widest name, and the horizontal scroll range covers the widest row.
#include "framework/Controls.h"

// In one reading of the rows: sets the list's one tab stop just right of the widest name,
// whatever the font's size, then the horizontal extent to the widest row as the list draws it
// (widths are full 32-bit numbers). Returns the tab position in pixels as the list draws it.
int LayOutKeySymList(CListBox& list);
