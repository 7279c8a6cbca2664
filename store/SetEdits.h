#pragma once
// Adding, renaming and deleting a set in the keysym store. A set's position in the sorted
// set list is what every keysym of it carries as m_nSet, so each edit moves the keysyms
// of the sets behind the changed place in the same step. Each edit either completes or,
// when memory runs out, throws std::bad_alloc with the store exactly as it was.
#include "store/KeySymStore.h"
#include <string>
#include <vector>

// The position a new set `name` takes in the sorted list: after every name that sorts
// before it or equal to it.
int SetAddPosition(const std::vector<std::string>& setNames, const std::string& name);
// The position set `index` takes once renamed to `name` and the list sorted again.
int SetRenamePosition(const std::vector<std::string>& setNames, int index, const std::string& name);

// Adds the set `name`; returns its position.
int AddSet(CKeySymStore& store, const std::string& name);
// Renames set `index` to `name`; its keysyms go with it. Returns its new position.
int RenameSet(CKeySymStore& store, int index, const std::string& name);
// Deletes set `index` and every keysym in it. Needs no memory.
void DeleteSet(CKeySymStore& store, int index);

// The two halves of a rename's renumbering. Detach moves the keysyms of set `oldIndex`
// into `side` and closes the gap it leaves; Attach opens a gap at `newIndex` and puts
// them back there. Neither allocates: whole map nodes move.
void DetachSetKeySyms(KeySymMap& keySyms, KeySymMap& side, int oldIndex);
void AttachSetKeySyms(KeySymMap& keySyms, KeySymMap& side, int newIndex);
