#include "pages/SetNameRules.h"
#include "store/KeySymStore.h"

namespace {
const char kSetListSection[] = "main";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool IsStorableSetName(const std::string& name)
{
    // "=" ends the name in the set list, brackets end or open a section header, a
    // leading ";" makes the set-list line a comment, and control characters would
    // be trimmed or end the line.
    for (unsigned char c : name)
        if (c == '=' || c == '[' || c == ']' || c < 0x20 || c == 0x7F)
            return false;
    return name.front() != ';' && CompareSetNames(name, kSetListSection) != 0;
}
}

std::string TrimSetName(const std::string& typed)
{
    size_t first = 0, last = typed.size();
    while (first < last && IsBlank(typed[first]))
        ++first;
    while (last > first && IsBlank(typed[last - 1]))
        --last;
    return typed.substr(first, last - first);
}

SetNameCheck CheckSetName(const std::vector<std::string>& setNames, const std::string& typed, int self)
{
    SetNameCheck check;
    check.name = TrimSetName(typed);
    if (check.name.empty()) {
        check.verdict = SetNameVerdict::Blank;
        return check;
    }
    if (!IsStorableSetName(check.name)) {
        check.verdict = SetNameVerdict::Unstorable;
        return check;
    }
    // Sections are found by name without regard to case: two such sets would share one.
    for (int i = 0; i < static_cast<int>(setNames.size()); ++i) {
        if (i != self && CompareSetNames(setNames[i], check.name) == 0) {
            check.verdict = SetNameVerdict::Taken;
            check.clash = i;
            return check;
        }
    }
    return check;
}
