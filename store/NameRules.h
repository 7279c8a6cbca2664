#pragma once
// Which keysym and set names the keysym file can carry, shared by the pages and every
// other program that edits the file. Names are ANSI text: they are read character by
// character in the multibyte code page, so the trail byte of a double-byte character
// ("@", a letter, "[", "\", "]" or "|" in code page 932) is never taken for a character
// of its own.
//
// A set name is a key of the "[main]" section and a section header of its own, read back
// up to the first "=", with blanks at either end dropped, comment lines skipped and
// headers matched without regard to case.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The longest keysym name the editor takes (the keysym dialog's limit), in characters.
constexpr size_t kMaxKeySymNameChars = 30;
// The most hex digits a keysym value has.
constexpr size_t kMaxKeySymValueDigits = 8;

// Characters of `text`: a lead byte and its trail byte count once.
size_t CharacterCount(std::string_view text);
// A keysym value as the editor takes it: 1 to kMaxKeySymValueDigits hex digits.
bool IsKeySymValueText(std::string_view value);

// A character of a C identifier, which is what the standard keysym names are made of.
constexpr bool IsIdentifierChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

// A keysym name with a blank or an "@": an X keysym name has neither.
bool KeySymNameHasBlankOrAt(const std::string& name);

// A keysym name that comes back from the keysym file as it went in: no "=", tab or other
// control character, not beginning with "[" or ";", no blank at either end.
bool IsStorableKeySymName(const std::string& name);

enum class SetNameVerdict {
    Usable,
    Blank,        // nothing but blanks
    Unstorable,   // would not come back from the file as it was written
    Taken,        // equal, apart from case, to another set's name
};

struct SetNameCheck {
    SetNameVerdict verdict = SetNameVerdict::Usable;
    std::string name;   // the name as it is to be used: blanks at either end removed
    int clash = -1;     // for Taken: the position of the set it equals
};

// A refusal in the editor's words: string `stringId` of the resource library with its
// arguments; 0 when there is nothing to say.
struct EditorMessage {
    unsigned stringId = 0;
    std::string arg1, arg2;
};

// `typed` without the spaces and tabs at either end.
std::string TrimSetName(const std::string& typed);
// Whether `typed` can name a new set (`self` -1) or set `self` after a rename. A set may
// keep its own name or change only its letter case.
SetNameCheck CheckSetName(const std::vector<std::string>& setNames, const std::string& typed, int self);
// The first set other than `self` named `name` apart from letter case; -1 when there is none.
int FindSetName(const std::vector<std::string>& setNames, const std::string& name, int self = -1);
// Why `check` refuses its name (strings 15, 16, 17); nothing for a usable name.
EditorMessage DescribeSetNameRefusal(const SetNameCheck& check, const std::vector<std::string>& setNames);
