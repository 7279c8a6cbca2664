#pragma once
// Adding, editing and deleting a keysym in the store, with the one ladder of checks that
// the keysym page, the import and keysymtool all ask. Each edit either completes or leaves
// the store exactly as it was: refused, or out of memory (std::bad_alloc). None touches the
// change flags; the caller marks the store changed.
#include "store/KeySymStore.h"
#include "store/NameRules.h"
#include <string>

enum class KeySymVerdict {
    Usable,
    NameHasBlankOrAt,   // string 6
    Empty,              // an empty name or value: the keysym dialog gives neither, so nothing is said
    NameUnstorable,     // string 18
    NameTaken,          // string 5: another keysym has the name
    NoSet,              // no such set to add to
    NoKeySym,           // no such keysym to edit
};

struct KeySymCheck {
    KeySymVerdict verdict = KeySymVerdict::Usable;
    int holder = -1;    // NameTaken: the set of the keysym that has the name
};

// Whether keysym `name` with `value` can be added to set `set`.
KeySymCheck CheckKeySymAdd(const CKeySymStore& store, int set, const std::string& name, const std::string& value);
// Whether keysym `oldName` can become `newName` with `value`: the same ladder without the
// blank-or-"@" rung, which the keysym page has only ever asked of a new keysym.
KeySymCheck CheckKeySymEdit(const CKeySymStore& store, const std::string& oldName, const std::string& newName,
                            const std::string& value);

// The edits themselves, each after its check; the store changes only when the check passes.
KeySymCheck AddKeySym(CKeySymStore& store, int set, const std::string& name, const std::string& value);
// The keysym keeps its set.
KeySymCheck EditKeySym(CKeySymStore& store, const std::string& oldName, const std::string& newName,
                       const std::string& value);
// False when there is no keysym `name`. Needs no memory.
bool DeleteKeySym(CKeySymStore& store, const std::string& name);

// A refusal in the editor's words, `holderSet` naming the set that has a taken name;
// string 0 where nothing is said.
EditorMessage DescribeKeySymRefusal(KeySymVerdict verdict, const std::string& name, const std::string& holderSet);
EditorMessage DescribeKeySymRefusal(const CKeySymStore& store, const KeySymCheck& check, const std::string& name);
