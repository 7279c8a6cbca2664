#include "store/NameRules.h"

#include "store/KeySymStore.h"
#include "resources/resource.h"

#include <mbctype.h>

namespace {

// Calls `visit(byte)` for each character of `name` that is a single byte; a
// lead byte and its trail byte are passed over together. Stops at the first `true`.
template <typename Visit>
bool AnySingleByte(const std::string& name, Visit visit)
{
    const size_t size = name.size();
    for (size_t i = 0; i < size; ++i) {
        const unsigned char c = static_cast<unsigned char>(name[i]);
        if (_ismbblead(c) && i + 1 < size) {
            ++i;
            continue;
        }
        if (visit(c))
            return true;
    }
    return false;
}

bool IsControl(unsigned char c) { return c < 0x20 || c == 0x7F; }
bool IsBlank(unsigned char c) { return c == ' ' || c == '\t'; }

}  // namespace

size_t CharacterCount(std::string_view text)
{
    size_t count = 0;
    for (size_t i = 0; i < text.size(); ++i, ++count)
        if (_ismbblead(static_cast<unsigned char>(text[i])) && i + 1 < text.size())
            ++i;
    return count;
}

bool IsKeySymValueText(std::string_view value)
{
    return !value.empty() && value.size() <= kMaxKeySymValueDigits &&
           value.find_first_not_of("0123456789abcdefABCDEF") == std::string_view::npos;
}

bool KeySymNameHasBlankOrAt(const std::string& name)
{
    return AnySingleByte(name, [](unsigned char c) { return c == ' ' || c == '@'; });
}

bool IsStorableKeySymName(const std::string& name)
{
    if (name.empty())
        return true;
    // "=" ends the name in the file and control characters would be trimmed or end the line.
    if (AnySingleByte(name, [](unsigned char c) { return c == '=' || IsControl(c); }))
        return false;
    const std::string trimmed = TrimSetName(name);
    // A leading "[" makes a header, a leading ";" a comment; blanks at the ends are dropped.
    return trimmed.size() == name.size() && name.front() != '[' && name.front() != ';';
}

std::string TrimSetName(const std::string& typed)
{
    // The first byte is never a trail byte; the end is found by walking the characters.
    size_t first = 0;
    while (first < typed.size() && IsBlank(static_cast<unsigned char>(typed[first])))
        ++first;
    size_t last = first;
    const size_t size = typed.size();
    for (size_t i = first; i < size; ++i) {
        const unsigned char c = static_cast<unsigned char>(typed[i]);
        if (_ismbblead(c) && i + 1 < size)
            ++i;
        else if (IsBlank(c))
            continue;
        last = i + 1;
    }
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
    // "=" ends the name in the set list, brackets end or open a section header, a leading
    // ";" makes the set-list line a comment, and control characters would be trimmed or
    // end the line.
    const bool unstorable =
        AnySingleByte(check.name, [](unsigned char c) { return c == '=' || c == '[' || c == ']' || IsControl(c); }) ||
        check.name.front() == ';' || CompareSetNames(check.name, kSetListSection) == 0;
    if (unstorable) {
        check.verdict = SetNameVerdict::Unstorable;
        return check;
    }
    // Sections are found by name without regard to case: two such sets would share one.
    check.clash = FindSetName(setNames, check.name, self);
    if (check.clash >= 0)
        check.verdict = SetNameVerdict::Taken;
    return check;
}

int FindSetName(const std::vector<std::string>& setNames, const std::string& name, int self)
{
    for (int i = 0; i < static_cast<int>(setNames.size()); ++i)
        if (i != self && CompareSetNames(setNames[i], name) == 0)
            return i;
    return -1;
}

EditorMessage DescribeSetNameRefusal(const SetNameCheck& check, const std::vector<std::string>& setNames)
{
    switch (check.verdict) {
    case SetNameVerdict::Blank:
        return {IDS_SET_NAME_BLANK, {}, {}};
    case SetNameVerdict::Unstorable:
        return {IDS_SET_NAME_UNSTORABLE, check.name, {}};
    case SetNameVerdict::Taken:
        return {IDS_SET_NAME_TAKEN, check.name, setNames[static_cast<size_t>(check.clash)]};
    case SetNameVerdict::Usable:
        break;
    }
    return {};
}
