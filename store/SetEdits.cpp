#include "store/SetEdits.h"
#include <algorithm>

int SetAddPosition(const std::vector<std::string>& setNames, const std::string& name)
{
    // Appending and sorting stably puts the name after every name not greater than it.
    int position = 0;
    for (const std::string& other : setNames)
        if (CompareSetNames(other, name) <= 0)
            ++position;
    return position;
}

int SetRenamePosition(const std::vector<std::string>& setNames, int index, const std::string& name)
{
    // A stable sort puts the name after the names less than it and after the names equal
    // to it that stood before it.
    int position = 0;
    for (int i = 0; i < static_cast<int>(setNames.size()); ++i) {
        if (i == index)
            continue;
        const int order = CompareSetNames(setNames[i], name);
        if (order < 0 || (order == 0 && i < index))
            ++position;
    }
    return position;
}

int AddSet(CKeySymStore& store, const std::string& name)
{
    std::vector<std::string>& names = store.m_setNames;
    const int position = SetAddPosition(names, name);
    // Everything that can fail comes first; from the renumbering on nothing allocates.
    std::string added = name;
    names.reserve(names.size() + 1);
    for (auto& keySym : store.m_keySyms)
        if (keySym.second->m_nSet >= position)
            ++keySym.second->m_nSet;
    names.insert(names.begin() + position, std::move(added));
    return position;
}

int RenameSet(CKeySymStore& store, int index, const std::string& name)
{
    std::vector<std::string>& names = store.m_setNames;
    const int position = SetRenamePosition(names, index, name);
    std::string renamed = name;
    store.m_setRenames.push_back({names[index], name});

    KeySymMap side;
    DetachSetKeySyms(store.m_keySyms, side, index);
    AttachSetKeySyms(store.m_keySyms, side, position);

    // The other names keep their order; the renamed one moves to its place.
    names[index] = std::move(renamed);
    const auto from = names.begin() + index;
    const auto to = names.begin() + position;
    if (position > index)
        std::rotate(from, from + 1, to + 1);
    else if (position < index)
        std::rotate(to, from, from + 1);
    return position;
}

void DeleteSet(CKeySymStore& store, int index)
{
    KeySymMap& keySyms = store.m_keySyms;
    for (auto it = keySyms.begin(); it != keySyms.end();) {
        int& set = it->second->m_nSet;
        if (set == index) {
            it = keySyms.erase(it);
            continue;
        }
        if (set > index)
            --set;
        ++it;
    }
    store.m_setNames.erase(store.m_setNames.begin() + index);
}

void DetachSetKeySyms(KeySymMap& keySyms, KeySymMap& side, int oldIndex)
{
    for (auto it = keySyms.begin(); it != keySyms.end();) {
        const auto next = std::next(it);
        int& set = it->second->m_nSet;
        if (set == oldIndex)
            side.insert(side.end(), keySyms.extract(it));
        else if (set > oldIndex)
            --set;
        it = next;
    }
}

void AttachSetKeySyms(KeySymMap& keySyms, KeySymMap& side, int newIndex)
{
    for (auto& keySym : keySyms)
        if (keySym.second->m_nSet >= newIndex)
            ++keySym.second->m_nSet;
    while (!side.empty()) {
        auto node = side.extract(side.begin());
        node.mapped()->m_nSet = newIndex;
        keySyms.insert(std::move(node));
    }
}
