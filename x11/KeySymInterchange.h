#pragma once
// Keysyms in and out of the formats X11 itself reads: XKeysymDB files ("name : value"
// lines) and C headers ("#define <prefix>XK_<name> 0x<hex>"), imported into one set of a
// store and exported from one. No windows: the editor's set page and the command-line tool
// share it, and each words the outcome in its own way.
#include "store/KeySymStore.h"
#include "store/NameRules.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

enum class ImportSkipReason {
    NotKeySymLine,      // nothing the editor would store: `text` is the line itself, cut short
    NameHasBlankOrAt,   // the editor's message 6 for `name`
    NameUnstorable,     // the editor's message 18 for `name`
    NameTaken,          // the editor's message 5 for `name` and `holder`
};

struct ImportSkip {
    size_t line = 0;    // counting from 1
    ImportSkipReason reason = ImportSkipReason::NotKeySymLine;
    std::string name;   // the keysym name the line gives
    std::string holder; // NameTaken: the set that holds the name (the target set for a
                        // name the same file gave before)
    std::string text;   // NotKeySymLine: the line's text, at most 60 bytes, ending before any
                        // control character and never inside a double-byte character
};

// The editor's message for a skip; string 0 for a line that is no keysym line, whose text is
// then `arg1`.
EditorMessage DescribeImportSkip(const ImportSkip& skip);

// One keysym line of an import file: the name as X11 gives it, the hex digits as written.
struct KeySymLine {
    size_t line = 0;
    std::string name;
    std::string value;
};

struct KeySymLines {
    bool isHeader = false;             // read as a C header: other lines were ignored
    std::vector<KeySymLine> keySyms;   // in file order
    size_t skipped = 0;                // lines that are no keysym line
    ImportSkip firstSkip;              // the first of them, when there is one
    std::vector<ImportSkip> skips;     // all of them, in file order
};

struct ImportResult {
    size_t imported = 0;
    size_t skipped = 0;
    ImportSkip firstSkip;              // meaningful when skipped > 0
    std::vector<ImportSkip> skips;     // every skipped line, in file order
};

// The keysym lines of an import file's bytes: CR LF, LF or CR line ends, any length, any
// bytes. A file with any "#define <prefix>XK_<name> 0x<hex>" line (or a value made with a
// function-like macro the file defines as "(0x<base> + arg)") is read as a header; otherwise
// every line but blank lines and "!" comments must be "name : value".
KeySymLines ParseKeySymLines(std::string_view bytes);

// Adds the keysyms of an import file to set `set` of `store`: every line the keysym page's
// Add would take, none that it would refuse, no name another keysym has. All or nothing:
// running out of memory throws std::bad_alloc with the store as it was. Does not touch
// the change flags: the caller marks the store changed when anything was imported.
ImportResult ImportKeySyms(CKeySymStore& store, int set, std::string_view bytes);

// The whole file at `path`; false (and `bytes` empty) when it cannot be opened or read.
bool ReadImportFile(const std::string& path, std::string& bytes);

// The XKeysymDB text of set `set`: a comment line naming the set, then "name TAB : VALUE"
// in name order, the value in upper case; CR LF line ends.
std::string FormatKeySymExport(const CKeySymStore& store, int set);

// Writes FormatKeySymExport to `path` through a temporary file in the same folder that
// then replaces it in one step. False on any failure, with any file at `path` as it was and
// no temporary file left. Never throws. `ops` null means the real file system.
bool ExportKeySyms(const CKeySymStore& store, int set, const std::string& path, KeySymFileOps* ops = nullptr);
