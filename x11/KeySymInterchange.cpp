#include "x11/KeySymInterchange.h"

#include "store/NameRules.h"

#include <algorithm>

ImportResult ImportKeySyms(CKeySymStore& store, int set, std::string_view bytes)
{
    return ImportKeySymLines(store, set, ParseKeySymLines(bytes));
}

ImportResult ImportKeySymLines(CKeySymStore& store, int set, KeySymLines lines)
{
    ImportResult result;
    if (set < 0 || static_cast<size_t>(set) >= store.m_setNames.size()) return result;
    const std::string& setName = store.m_setNames[static_cast<size_t>(set)];

    result.anyKeySymLine = HoldsKeySymLine(lines);
    result.skips = std::move(lines.skips);

    // Everything new is gathered aside; the store is touched only by the final merge,
    // which moves nodes and allocates nothing.
    KeySymMap incoming;
    const size_t parsedSkips = result.skips.size();
    for (KeySymLine& line : lines.keySyms) {
        ImportSkip skip;
        skip.line = line.line;
        if (KeySymNameHasBlankOrAt(line.name)) {
            skip.reason = ImportSkipReason::NameHasBlankOrAt;
        } else if (!IsStorableKeySymName(line.name)) {
            skip.reason = ImportSkipReason::NameUnstorable;
        } else if (auto held = store.m_keySyms.find(line.name); held != store.m_keySyms.end()) {
            skip.reason = ImportSkipReason::NameTaken;
            const int holder = held->second->m_nSet;
            if (holder >= 0 && static_cast<size_t>(holder) < store.m_setNames.size())
                skip.holder = store.m_setNames[static_cast<size_t>(holder)];
        } else if (incoming.count(line.name)) {
            skip.reason = ImportSkipReason::NameTaken;
            skip.holder = setName;
        } else {
            if (IsUnusableKeySymValue(line.value)) result.unusable.push_back(line.name);
            incoming.emplace(std::move(line.name), std::make_unique<CKeySymEntry>(std::move(line.value), set));
            continue;
        }
        skip.name = std::move(line.name);
        result.skips.push_back(std::move(skip));
    }
    // Both runs are in line order already.
    std::inplace_merge(result.skips.begin(), result.skips.begin() + static_cast<std::ptrdiff_t>(parsedSkips),
                       result.skips.end(), [](const ImportSkip& a, const ImportSkip& b) { return a.line < b.line; });
    result.skipped = result.skips.size();
    if (!result.skips.empty()) result.firstSkip = result.skips.front();
    result.imported = incoming.size();
    store.m_keySyms.merge(incoming);
    return result;
}
