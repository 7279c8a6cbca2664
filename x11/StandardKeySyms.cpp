#include "x11/StandardKeySyms.h"

#include <algorithm>
#include <cstring>

namespace {
#include "StandardKeySymTable.inc"
}

std::span<const StandardKeySym> StandardKeySyms()
{
    return kStandardKeySyms;
}

const StandardKeySym* FindStandardKeySymByName(std::string_view name)
{
    const auto less = [](const StandardKeySym& keySym, std::string_view wanted) {
        return std::string_view(keySym.name) < wanted;
    };
    const auto* found = std::lower_bound(std::begin(kStandardKeySyms), std::end(kStandardKeySyms), name, less);
    return found != std::end(kStandardKeySyms) && found->name == name ? found : nullptr;
}

const StandardKeySym* FindStandardKeySymByValue(uint32_t value)
{
    const auto less = [](unsigned short position, uint32_t wanted) {
        return kStandardKeySyms[position].value < wanted;
    };
    const auto* found = std::lower_bound(std::begin(kStandardKeySymsByValue), std::end(kStandardKeySymsByValue),
                                         value, less);
    if (found == std::end(kStandardKeySymsByValue) || kStandardKeySyms[*found].value != value) return nullptr;
    return &kStandardKeySyms[*found];
}
