#include "x11/KeySymImport.h"

#include "store/KeySymEdits.h"

#include <algorithm>

ImportResult ImportKeySyms(CKeySymStore& store, int set, std::string_view bytes)
{
    return ImportKeySymLines(store, set, ParseKeySymLines(bytes));
}

ImportResult ImportKeySymLines(CKeySymStore& store, int set, KeySymLines lines)
{
    ImportResult result;
    if (!store.HasSet(set)) return result;
    const std::string& setName = store.SetName(set);

    result.anyKeySymLine = HoldsKeySymLine(lines);
    result.skips = std::move(lines.skips);

    // Everything new is gathered aside; the store is touched only by the final merge,
    // which moves nodes and allocates nothing.
    KeySymMap incoming;
    const size_t parsedSkips = result.skips.size();
    for (KeySymLine& line : lines.keySyms) {
        // The keysym page's own checks, then the file's own repeats.
        const KeySymCheck check = CheckKeySymAdd(store, set, line.name, line.value);
        ImportSkip skip;
        skip.line = line.line;
        switch (check.verdict) {
        case KeySymVerdict::NameHasBlankOrAt:
            skip.reason = ImportSkipReason::NameHasBlankOrAt;
            break;
        case KeySymVerdict::NameUnstorable:
            skip.reason = ImportSkipReason::NameUnstorable;
            break;
        case KeySymVerdict::NameTaken:
            skip.reason = ImportSkipReason::NameTaken;
            skip.holder = store.SetName(check.holder);
            break;
        default:
            if (incoming.count(line.name)) {
                skip.reason = ImportSkipReason::NameTaken;
                skip.holder = setName;
                break;
            }
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
