#pragma once
// What X11 knows of a keysym name and value as they are being typed: the lines of the
// keysym dialog's hint, each a string-table text with its arguments.
#include <string>
#include <string_view>
#include <vector>

struct KeySymHint {
    unsigned textId;       // IDS_HINT_*
    std::wstring arg1;     // Unicode: the character itself can be outside the ANSI code page
    std::wstring arg2;
};

// The hints for `name` and `value` (the texts of the two fields), at most one of each kind:
// the value's first (its character or that it is none, the standard keysym of that value or
// the range it lies in, that it is too large), then the name's. A value that is not all hex
// digits gives none of its own.
std::vector<KeySymHint> KeySymHints(std::string_view name, std::string_view value);

// `text` with %1 and %2 replaced by the hint's arguments.
std::wstring FormatKeySymHint(std::wstring_view text, const KeySymHint& hint);
