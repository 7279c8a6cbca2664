// What a save of the keysym file needs besides the store, and what it can come to.
#pragma once

#include <string>

// A set given another name since the file was read: the section header follows it.
struct SetRename {
    std::string from, to;
};

// Why a save was refused before anything was written.
struct KeySymFileRefusal {
    enum What {
        None,
        SetName,       // the set would not come back from the file as it is
        KeySym,        // the keysym would come back with another value or set, or not at all
        Encoding,      // the name has no spelling in the file's encoding
        ForeignLine,   // a line the editor does not show would change
    };
    What what = None;
    std::string name;   // ANSI text
    explicit operator bool() const { return what != None; }
};

enum class KeySymSave {
    Saved,
    Failed,          // nothing replaced: no temporary file, a failed write or replace, or no lock
    ChangedOnDisk,   // another program changed the file since it was read or written
    ReadOnly,        // the file is marked read-only: the user's protection, never replaced
    Refused,         // the new file would not mean the store (see the refusal)
};
