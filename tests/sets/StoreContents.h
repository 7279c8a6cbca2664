#pragma once
// A keysym store by value, to compare with what a run of edits should have left: the set
// list and every keysym's value and set name.
#include "store/KeySymStore.h"
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <utility>
#include <vector>

struct StoreContents {
    std::vector<std::string> names;
    std::map<std::string, std::pair<std::string, std::string>> keySyms;   // name -> value, set name
    bool operator==(const StoreContents&) const = default;
};

// The store's own invariants: the set list is sorted and every keysym points into it.
::testing::AssertionResult HoldsInvariants(const CKeySymStore& store);
// Needs the invariants to hold.
StoreContents Snapshot(const CKeySymStore& store);
// Fills an empty store; the names are sorted as the store sorts them.
void Fill(CKeySymStore& store, const StoreContents& contents);
std::vector<std::string> SortedSetNames(std::vector<std::string> names);
// The keysym file `path` as the module reads it at start-up.
::testing::AssertionResult ReadsBackAs(const std::string& path, const StoreContents& expected);
// The keysym file's bytes for `contents`.
std::string KeySymFileFor(const StoreContents& contents);

std::ostream& operator<<(std::ostream& out, const StoreContents& contents);
