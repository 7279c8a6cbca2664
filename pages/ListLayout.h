#pragma once
// Two-column keysym lists ("name TAB value" rows): the value column starts right of the
// widest name, and the horizontal scroll range covers the widest row.
#include "framework/Controls.h"

// Sets the list's one tab stop just right of the widest name, whatever the font's size; leaves
// in `tabStop` the tab position in pixels as the list box will draw it.
void FitListColumns(CListBox& list, int& tabStop);
// Sets the horizontal extent to the widest row as the list draws it, its tabs at multiples of
// `tabPosition` pixels. Widths are full 32-bit numbers.
void SetListHorizontalExtent(CListBox& list, int tabPosition);
// Both of the above in one reading of the rows: the tab stop, then the extent with it.
void LayOutKeySymList(CListBox& list, int& tabStop);
