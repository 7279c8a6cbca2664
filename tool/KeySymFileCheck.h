#pragma once
// What a keysym file holds that the editor would not show or would lose: sets listed twice,
// sections no set lists, keysyms given more than once, lines without "=", names the editor
// would refuse, values that are no keysym value, and a missing set list. A file the editor
// wrote has none of these.
#include "store/ProfileSections.h"
#include <string>
#include <vector>

struct KeySymFileFinding {
    size_t line;        // 0: the file as a whole
    std::string text;
};

// The findings, those of the whole file first, then in line order.
std::vector<KeySymFileFinding> CheckKeySymFile(const ProfileSections& file);

// "line 12: text", or the text alone for the whole file.
std::string FormatFinding(const KeySymFileFinding& finding);
