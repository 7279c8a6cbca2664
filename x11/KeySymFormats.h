#pragma once
// The two formats X11 itself reads keysyms from: XKeysymDB files ("name : value" lines,
// Xlib's resource syntax) and C headers ("#define <prefix>XK_<name> <value>"). Parse and
// format only: no files, no wording, no store edits.
#include "store/KeySymStore.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

enum class ImportSkipReason {
    NotKeySymLine,      // not "name : value": `text` is the line itself, at most 60 bytes
    NameTooLong,        // `name` has more than kMaxKeySymNameChars characters
    ValueTooLarge,      // `name`'s value `text` does not fit in eight hex digits
    ValueUnreadable,    // `name`'s value `text` is no number and no keysym defined before it
    NameNotInCodePage,  // `name` (unstorable characters as "?") has characters the ANSI code page lacks
    // The keysym edits' refusals, for the import:
    NameHasBlankOrAt,   // `name`
    NameUnstorable,     // `name`
    NameTaken,          // `name`, and `holder` the set that holds it
};

struct ImportSkip {
    size_t line = 0;    // counting from 1
    ImportSkipReason reason = ImportSkipReason::NotKeySymLine;
    std::string name;
    std::string holder;
    std::string text;
};

// One keysym line of an import file: the name as X11 gives it, the value as hex digits
// (as written for a hex literal of at most eight digits, else worked out).
struct KeySymLine {
    size_t line = 0;
    std::string name;
    std::string value;
};

struct KeySymLines {
    bool isHeader = false;             // read as a C header: other lines were ignored
    std::vector<KeySymLine> keySyms;   // in file order
    size_t skipped = 0;
    ImportSkip firstSkip;              // meaningful when skipped > 0
    std::vector<ImportSkip> skips;     // in file order
};

// The keysym lines of an import file's bytes (decoded first): CR LF, LF or CR line ends,
// any length, any bytes. A file with any "#define ...XK_..." line is read as a C header
// (values as C reads them; comments and "#if 0" blocks left out); otherwise every line but
// blank lines and "!" comments must be "name : value".
KeySymLines ParseKeySymLines(std::string_view bytes);
// Whether the file held any keysym line, readable or not: an import of none is refused.
bool HoldsKeySymLine(const KeySymLines& lines);

// Keysyms have 29 bits.
inline constexpr uint32_t kMaxKeySym = 0x1FFFFFFF;

// The number of a keysym value text (1 to 8 hex digits); false for anything else.
bool KeySymValueNumber(std::string_view value, uint32_t& number);
// A value X cannot use as a keysym: 0 (NoSymbol) or above 0x1FFFFFFF.
bool IsUnusableKeySymValue(std::string_view value);

enum class ExportFormat { XKeysymDb, CHeader };

struct ExportText {
    std::string text;                   // LF line ends
    size_t written = 0;                 // keysyms in `text`
    std::vector<std::string> leftOut;   // names the format cannot carry, in name order
};

// Set `set` of `store` in `format`: a comment naming the set, then one line per keysym in
// name order, values in upper case. XKeysymDB leaves out names Xlib would read otherwise
// (beginning with "!" or "#", holding ":", "." or "*"); a header, names that are no C
// identifier.
ExportText FormatKeySymExport(const CKeySymStore& store, int set, ExportFormat format);
