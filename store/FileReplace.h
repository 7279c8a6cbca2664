#pragma once
// Writing a whole file so that a failure never loses the one it replaces: the bytes go to
// a temporary file in the same folder, which then replaces the target in one step.
#include "store/KeySymStore.h"

#include <string>

// Writes `bytes` to a new temporary file ("Kbs*.tmp") in `folder`, flushes and closes it,
// then moves it over `target`. FALSE on any failure, with `target` as it was and the
// temporary file removed.
BOOL WriteFileReplacing(const std::string& folder, const std::string& target, const std::string& bytes,
                        KeySymFileOps& ops);
