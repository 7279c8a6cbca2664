#pragma once
// Two-column keysym lists ("name TAB value" rows): the value column starts right of the
// widest name, and the horizontal scroll range covers the widest row.
#include "framework/Controls.h"

// Sets the list's one tab stop from the widest name; leaves that width + 4 pixels in `tabStop`.
void FitListColumns(CListBox& list, int& tabStop);
// Sets the horizontal extent to the widest row, its tab expanded to `tabPosition` pixels.
void SetListHorizontalExtent(CListBox& list, int tabPosition);
