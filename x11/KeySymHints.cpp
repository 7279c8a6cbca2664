#include "x11/KeySymHints.h"

#include "resources/resource.h"
#include "store/NameRules.h"
#include "x11/KeySymFormats.h"
#include "x11/StandardKeySyms.h"

#include <cstdint>
#include <cwchar>

namespace {

const uint32_t kUnicodeKeySymBase = 0x01000000;  // 0x01000100-0x0110FFFF stand for U+0100-U+10FFFF

// Keysym ranges of X11 that hold values no standard keysym has yet, by the name X.Org's
// headers give each group.
struct KeySymRange {
    uint32_t first, last;
    const wchar_t* name;
};
const KeySymRange kRanges[] = {
    {0x0001, 0x00FF, L"LATIN1"},       {0x0100, 0x01FF, L"LATIN2"},     {0x0200, 0x02FF, L"LATIN3"},
    {0x0300, 0x03FF, L"LATIN4"},       {0x0400, 0x04FF, L"KATAKANA"},   {0x0500, 0x05FF, L"ARABIC"},
    {0x0600, 0x06FF, L"CYRILLIC"},     {0x0700, 0x07FF, L"GREEK"},      {0x0800, 0x08FF, L"TECHNICAL"},
    {0x0900, 0x09FF, L"SPECIAL"},      {0x0A00, 0x0AFF, L"PUBLISHING"}, {0x0B00, 0x0BFF, L"APL"},
    {0x0C00, 0x0CFF, L"HEBREW"},       {0x0D00, 0x0DFF, L"THAI"},       {0x0E00, 0x0EFF, L"KOREAN"},
    {0x1200, 0x12FF, L"LATIN8"},       {0x1300, 0x13FF, L"LATIN9"},     {0x1400, 0x14FF, L"ARMENIAN"},
    {0x1500, 0x15FF, L"GEORGIAN"},     {0x1600, 0x16FF, L"CAUCASUS"},   {0x1E00, 0x1EFF, L"VIETNAMESE"},
    {0x2000, 0x20FF, L"CURRENCY"},     {0xFD00, 0xFDFF, L"3270"},       {0xFE00, 0xFEFF, L"XKB_KEYS"},
    {0xFF00, 0xFFFF, L"MISCELLANY"},
    {0x10000000, 0x1000FFFF, L"DEC/HP/ap"},
    {0x10040000, 0x1004FFFF, L"OSF"},
    {0x10050000, 0x1005FFFF, L"Sun"},
    {0x10080000, 0x1008FFFF, L"XF86"},
};

// The character a keysym value stands for; 0 when none.
uint32_t CharacterOf(uint32_t value, const StandardKeySym* standard)
{
    if ((value >= 0x20 && value <= 0x7E) || (value >= 0xA0 && value <= 0xFF)) return value;
    if (value >= kUnicodeKeySymBase + 0x100 && value <= kUnicodeKeySymBase + 0x10FFFF) return value - kUnicodeKeySymBase;
    return standard ? standard->codePoint : 0;
}

// Surrogates and the 66 noncharacters of Unicode stand for no character.
bool IsNoCharacter(uint32_t codePoint)
{
    return (codePoint >= 0xD800 && codePoint <= 0xDFFF) || (codePoint >= 0xFDD0 && codePoint <= 0xFDEF) ||
           (codePoint & 0xFFFE) == 0xFFFE;
}

std::wstring Utf16(uint32_t codePoint)
{
    if (codePoint < 0x10000) return std::wstring(1, static_cast<wchar_t>(codePoint));
    codePoint -= 0x10000;
    return {static_cast<wchar_t>(0xD800 + (codePoint >> 10)), static_cast<wchar_t>(0xDC00 + (codePoint & 0x3FF))};
}

std::wstring Hex(uint32_t value, int minDigits, bool upper)
{
    wchar_t text[16];
    std::swprintf(text, 16, upper ? L"%0*X" : L"%0*x", minDigits, static_cast<unsigned>(value));
    return text;
}

std::wstring Widen(const char* ascii)
{
    return std::wstring(ascii, ascii + std::char_traits<char>::length(ascii));
}

}  // namespace

std::vector<KeySymHint> KeySymHints(std::string_view name, std::string_view value)
{
    std::vector<KeySymHint> hints;
    uint32_t number = 0;
    const bool hasValue = KeySymValueNumber(value, number);
    if (hasValue && number <= kMaxKeySym) {
        const StandardKeySym* standard = FindStandardKeySymByValue(number);
        const uint32_t character = CharacterOf(number, standard);
        if (character && IsNoCharacter(character))
            hints.push_back({IDS_HINT_NO_CHARACTER, Hex(character, 4, true), {}});
        else if (character)
            hints.push_back({IDS_HINT_CHARACTER, Utf16(character), Hex(character, 4, true)});
        if (standard) {
            hints.push_back({IDS_HINT_STANDARD_VALUE, Widen(standard->name), {}});
        } else if (!character) {
            for (const KeySymRange& range : kRanges) {
                if (number >= range.first && number <= range.last) {
                    hints.push_back({IDS_HINT_RANGE, range.name, Hex(range.first, 4, false) + L"-" + Hex(range.last, 4, false)});
                    break;
                }
            }
        }
    }
    if (hasValue && number > kMaxKeySym)
        hints.push_back({IDS_HINT_TOO_LARGE, {}, {}});
    if (hasValue && number == 0)
        hints.push_back({IDS_HINT_NO_SYMBOL, {}, {}});
    if (const StandardKeySym* standard = FindStandardKeySymByName(name); standard && !(hasValue && number == standard->value))
        hints.push_back({IDS_HINT_STANDARD_NAME, Widen(standard->name), Hex(standard->value, 1, false)});
    // A byte outside the set is enough: every byte of a double-byte character is outside it
    // or is a trail byte of a character that is itself outside it.
    for (char c : name) {
        if (!IsIdentifierChar(c)) {
            hints.push_back({IDS_HINT_NAME_CHARS, {}, {}});
            break;
        }
    }
    return hints;
}

std::wstring FormatKeySymHint(std::wstring_view text, const KeySymHint& hint)
{
    std::wstring out;
    out.reserve(text.size() + hint.arg1.size() + hint.arg2.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'%' && i + 1 < text.size() && (text[i + 1] == L'1' || text[i + 1] == L'2')) {
            out += text[i + 1] == L'1' ? hint.arg1 : hint.arg2;
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}
