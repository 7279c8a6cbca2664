#pragma once
// The tool's own texts, for what the editor never has to say: its dialogs cannot be given
// an empty or over-long name, a value that is not hex, or a set or keysym that is not there.
// Placeholders as in the string table: %1, %2, %3.

inline constexpr char kTextNoUserDirectory[] = "The user's directory %1 does not exist.";
inline constexpr char kTextNoSet[] = "There is no set \"%1\".";
inline constexpr char kTextNoKeySym[] = "There is no keysym \"%1\".";
inline constexpr char kTextEmptyName[] = "A keysym name cannot be empty.";
inline constexpr char kTextNameTooLong[] = "The keysym name \"%1\" is longer than %2 characters.";
inline constexpr char kTextBadValue[] = "The value \"%1\" is not 1 to 8 hexadecimal digits.";
inline constexpr char kTextOutOfMemory[] = "Out of memory.";
inline constexpr char kTextOutputFailed[] = "keysymtool: standard output could not be written.";
inline constexpr char kTextMoreNotShown[] = "(%1 more not shown; --verbose lists them all)";
inline constexpr char kTextUnspellable[] =
    "The argument \"%1\" holds characters that the system's code page cannot represent; nothing was changed.";
