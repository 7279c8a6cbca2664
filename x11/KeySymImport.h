#pragma once
// Keysyms of an import file added to one set of a store. No files and no windows: the
// editor's set page and the command-line tool read the file (store/WholeFile), share this,
// and word the outcome each in its own way (x11/InterchangeMessages).
#include "x11/KeySymFormats.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

struct ImportResult {
    size_t imported = 0;
    size_t skipped = 0;
    ImportSkip firstSkip;                // meaningful when skipped > 0
    std::vector<ImportSkip> skips;       // every skipped line, in file order
    std::vector<std::string> unusable;   // imported names whose value X cannot use, in file order
    bool anyKeySymLine = false;          // the file held a keysym line, imported or not (HoldsKeySymLine)
};

// Adds the keysyms of an import file to set `set` of `store`: every line the keysym page's
// Add would take, none that it would refuse, no name another keysym has. All or nothing:
// running out of memory throws std::bad_alloc with the store as it was. Does not touch
// the change flags: the caller marks the store changed when anything was imported.
ImportResult ImportKeySyms(CKeySymStore& store, int set, std::string_view bytes);
// The same for lines already read.
ImportResult ImportKeySymLines(CKeySymStore& store, int set, KeySymLines lines);
