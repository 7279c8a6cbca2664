#pragma once
// Which set names the keysym file can carry. A set name is a key of the "[main]" section
// and a section header of its own, read back up to the first "=", with blanks at either
// end dropped, comment lines skipped and headers matched without regard to case.
#include <string>
#include <vector>

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

// `typed` without the spaces and tabs at either end.
std::string TrimSetName(const std::string& typed);
// Whether `typed` can name a new set (`self` -1) or set `self` after a rename. A set may
// keep its own name or change only its letter case.
SetNameCheck CheckSetName(const std::vector<std::string>& setNames, const std::string& typed, int self);
