#pragma once
// The standard keysyms of X11, from X.Org's keysymdef.h, compiled in at build time.
#include <cstdint>
#include <span>
#include <string_view>

struct StandardKeySym {
    const char* name;      // the macro name without "XK_"
    uint32_t value;
    uint32_t codePoint;    // the Unicode character the header gives it; 0 when none
};

// Every standard keysym, in name order (byte order).
std::span<const StandardKeySym> StandardKeySyms();
// The keysym of that exact name (case counts); null when there is none.
const StandardKeySym* FindStandardKeySymByName(std::string_view name);
// Of the keysyms with that value, the first the header names; null when there is none.
const StandardKeySym* FindStandardKeySymByValue(uint32_t value);
