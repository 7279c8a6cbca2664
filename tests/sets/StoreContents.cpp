#include "StoreContents.h"
#include <algorithm>
#include <ostream>

::testing::AssertionResult HoldsInvariants(const CKeySymStore& store)
{
    const auto& names = store.m_setNames;
    for (size_t i = 1; i < names.size(); ++i)
        if (CompareSetNames(names[i - 1], names[i]) > 0)
            return ::testing::AssertionFailure() << "\"" << names[i - 1] << "\" before \"" << names[i] << "\"";
    for (const auto& [name, entry] : store.m_keySyms)
        if (entry->m_nSet < 0 || entry->m_nSet >= static_cast<int>(names.size()))
            return ::testing::AssertionFailure() << name << " has set " << entry->m_nSet << " of " << names.size();
    return ::testing::AssertionSuccess();
}

StoreContents Snapshot(const CKeySymStore& store)
{
    StoreContents contents;
    contents.names = store.m_setNames;
    for (const auto& [name, entry] : store.m_keySyms)
        contents.keySyms[name] = {entry->m_strValue, store.m_setNames.at(entry->m_nSet)};
    return contents;
}

void Fill(CKeySymStore& store, const StoreContents& contents)
{
    store.m_setNames = contents.names;
    store.SortSetNames();
    for (const auto& [name, valueAndSet] : contents.keySyms) {
        const auto set = std::find(store.m_setNames.begin(), store.m_setNames.end(), valueAndSet.second);
        store.m_keySyms[name] =
            std::make_unique<CKeySymEntry>(valueAndSet.first, static_cast<int>(set - store.m_setNames.begin()));
    }
}

std::vector<std::string> SortedSetNames(std::vector<std::string> names)
{
    CKeySymStore store;
    store.m_setNames = std::move(names);
    store.SortSetNames();
    return store.m_setNames;
}

::testing::AssertionResult ReadsBackAs(const std::string& path, const StoreContents& expected)
{
    CKeySymStore store;
    store.LoadKeySymFile(path);
    if (auto sound = HoldsInvariants(store); !sound)
        return sound;
    const StoreContents read = Snapshot(store);
    if (read == expected)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "read back\n" << read << "expected\n" << expected;
}

std::string KeySymFileFor(const StoreContents& contents)
{
    CKeySymStore store;
    Fill(store, contents);
    return store.FormatKeySymFile();
}

std::ostream& operator<<(std::ostream& out, const StoreContents& contents)
{
    out << "  sets:";
    for (const std::string& name : contents.names)
        out << " \"" << name << "\"";
    out << "\n";
    for (const auto& [name, valueAndSet] : contents.keySyms)
        out << "  " << name << "=" << valueAndSet.first << " in \"" << valueAndSet.second << "\"\n";
    return out;
}
