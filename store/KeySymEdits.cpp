#include "store/KeySymEdits.h"
#include "resources/resource.h"
#include <memory>

namespace {

KeySymCheck CheckTaken(const CKeySymStore& store, const std::string& name)
{
    const auto found = store.m_keySyms.find(name);
    if (found != store.m_keySyms.end())
        return {KeySymVerdict::NameTaken, found->second->m_nSet};
    return {};
}

}  // namespace

KeySymCheck CheckKeySymAdd(const CKeySymStore& store, int set, const std::string& name, const std::string& value)
{
    if (KeySymNameHasBlankOrAt(name))
        return {KeySymVerdict::NameHasBlankOrAt};
    if (name.empty() || value.empty())
        return {KeySymVerdict::Empty};
    if (!IsStorableKeySymName(name))
        return {KeySymVerdict::NameUnstorable};
    if (const KeySymCheck taken = CheckTaken(store, name); taken.verdict != KeySymVerdict::Usable)
        return taken;
    if (!store.HasSet(set))
        return {KeySymVerdict::NoSet};
    return {};
}

KeySymCheck CheckKeySymEdit(const CKeySymStore& store, const std::string& oldName, const std::string& newName,
                            const std::string& value)
{
    if (!store.m_keySyms.count(oldName))
        return {KeySymVerdict::NoKeySym};
    if (newName.empty() || value.empty())
        return {KeySymVerdict::Empty};
    if (!IsStorableKeySymName(newName))
        return {KeySymVerdict::NameUnstorable};
    // Names are unique across all sets: another keysym's name is not taken over silently.
    if (newName != oldName)
        return CheckTaken(store, newName);
    return {};
}

KeySymCheck AddKeySym(CKeySymStore& store, int set, const std::string& name, const std::string& value)
{
    const KeySymCheck check = CheckKeySymAdd(store, set, name, value);
    if (check.verdict != KeySymVerdict::Usable)
        return check;
    // The entry is made first: a failed insertion frees it and leaves the map as it was.
    auto entry = std::make_unique<CKeySymEntry>(value, set);
    store.m_keySyms.emplace(name, std::move(entry));
    return check;
}

KeySymCheck EditKeySym(CKeySymStore& store, const std::string& oldName, const std::string& newName,
                       const std::string& value)
{
    const KeySymCheck check = CheckKeySymEdit(store, oldName, newName, value);
    if (check.verdict != KeySymVerdict::Usable)
        return check;
    KeySymMap& keySyms = store.m_keySyms;
    // Everything that allocates comes first; from the erase on nothing can fail.
    auto replacement = std::make_unique<CKeySymEntry>(value, keySyms.find(oldName)->second->m_nSet);
    auto slot = keySyms.try_emplace(newName).first;
    if (newName != oldName)
        keySyms.erase(oldName);
    slot->second = std::move(replacement);
    return check;
}

bool DeleteKeySym(CKeySymStore& store, const std::string& name)
{
    return store.m_keySyms.erase(name) != 0;
}

EditorMessage DescribeKeySymRefusal(KeySymVerdict verdict, const std::string& name, const std::string& holderSet)
{
    switch (verdict) {
    case KeySymVerdict::NameHasBlankOrAt:
        return {IDS_KEYSYM_NAME_INVALID, name, {}};
    case KeySymVerdict::NameUnstorable:
        return {IDS_KEYSYM_NAME_UNSTORABLE, name, {}};
    case KeySymVerdict::NameTaken:
        return {IDS_KEYSYM_NAME_USED, name, holderSet};
    default:
        return {};
    }
}

EditorMessage DescribeKeySymRefusal(const CKeySymStore& store, const KeySymCheck& check, const std::string& name)
{
    return DescribeKeySymRefusal(check.verdict, name, store.SetName(check.holder));
}
