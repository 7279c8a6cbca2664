// Set names and the set list edits, on the store alone: which names are refused, where a
// set lands, and that every keysym stays in its set through any run of edits, out of
// memory included.
#include "store/SetEdits.h"
#include "store/NameRules.h"
#include "FailingAllocator.h"
#include "StoreContents.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <cstdlib>
#include <functional>
#include <map>
#include <random>

namespace {
using Contents = StoreContents;

// Greek, math, _private and Zed, with keysyms in all but Zed.
Contents Example()
{
    Contents c;
    c.names = {"_private", "Greek", "math", "Zed"};
    c.keySyms = {{"alpha", {"7e1", "Greek"}}, {"beta", {"7e2", "Greek"}},
                 {"plusminus", {"b1", "math"}}, {"secret", {"1", "_private"}}};
    return c;
}

// Sorting as the store sorts: stably, by the set-name order.
std::vector<std::string> Sorted(std::vector<std::string> names) { return SortedSetNames(std::move(names)); }

}  // namespace

TEST(SetNameRules, RefusesWhatTheFileCannotGiveBack)
{
    const std::vector<std::string> sets = {"Greek", "math"};
    struct Case {
        const char* typed;
        SetNameVerdict verdict;
        const char* name;
    } const cases[] = {
        {" \t ", SetNameVerdict::Blank, ""},
        {"a=b", SetNameVerdict::Unstorable, "a=b"},
        {"[x", SetNameVerdict::Unstorable, "[x"},
        {"x]", SetNameVerdict::Unstorable, "x]"},
        {"main", SetNameVerdict::Unstorable, "main"},
        {" MAIN\t", SetNameVerdict::Unstorable, "MAIN"},
        {";notes", SetNameVerdict::Unstorable, ";notes"},
        {"a\x01z", SetNameVerdict::Unstorable, "a\x01z"},
        {"GREEK", SetNameVerdict::Taken, "GREEK"},
        {"\tmath ", SetNameVerdict::Taken, "math"},
        {"  Cyrillic  letters ", SetNameVerdict::Usable, "Cyrillic  letters"},
        {"mainly", SetNameVerdict::Usable, "mainly"},
        {"a;b", SetNameVerdict::Usable, "a;b"},
    };
    for (const Case& c : cases) {
        const SetNameCheck check = CheckSetName(sets, c.typed, -1);
        EXPECT_EQ(check.verdict, c.verdict) << "typed \"" << c.typed << "\"";
        EXPECT_EQ(check.name, c.name) << "typed \"" << c.typed << "\"";
    }
    EXPECT_EQ(CheckSetName(sets, "MATH", -1).clash, 1);
}

TEST(SetNameRules, ASetMayKeepItsNameOrChangeItsCase)
{
    const std::vector<std::string> sets = {"Greek", "math"};
    EXPECT_EQ(CheckSetName(sets, "Greek", 0).verdict, SetNameVerdict::Usable);
    EXPECT_EQ(CheckSetName(sets, "GREEK ", 0).verdict, SetNameVerdict::Usable);
    EXPECT_EQ(CheckSetName(sets, "Math", 0).verdict, SetNameVerdict::Taken);
    EXPECT_EQ(CheckSetName(sets, "main", 0).verdict, SetNameVerdict::Unstorable);
}

TEST(SetListEdits, PositionsAreWhereTheSortPutsThem)
{
    // Names equal apart from case can come from a hand-made file: the sort keeps their
    // order, and every position must agree with it.
    std::mt19937 random(7);
    const char* pool[] = {"a", "A", "b", "B", "_", "ab", "aB", "Zed", "zed", "m"};
    for (int round = 0; round < 500; ++round) {
        std::vector<std::string> names;
        const int count = static_cast<int>(random() % 7);
        for (int i = 0; i < count; ++i)
            names.push_back(pool[random() % std::size(pool)]);
        names = Sorted(names);
        const std::string name = pool[random() % std::size(pool)];

        // Where the stable sort of the names' indexes puts the one at `index`.
        auto Place = [](const std::vector<std::string>& list, int index) {
            std::vector<int> order(list.size());
            for (size_t i = 0; i < order.size(); ++i)
                order[i] = static_cast<int>(i);
            std::stable_sort(order.begin(), order.end(),
                             [&](int a, int b) { return CompareSetNames(list[a], list[b]) < 0; });
            return static_cast<int>(std::find(order.begin(), order.end(), index) - order.begin());
        };
        std::vector<std::string> appended = names;
        appended.push_back(name);
        EXPECT_EQ(SetAddPosition(names, name), Place(appended, count)) << "adding " << name;
        if (count > 0) {
            const int index = static_cast<int>(random() % count);
            std::vector<std::string> renamed = names;
            renamed[index] = name;
            EXPECT_EQ(SetRenamePosition(names, index, name), Place(renamed, index)) << "renaming " << index;
        }
    }
}

TEST(SetListEdits, AddRenameAndDeleteKeepEveryKeySymInItsSet)
{
    CKeySymStore store;
    Fill(store, Example());

    EXPECT_EQ(AddSet(store, "Arrows"), 1);
    Contents expected = Example();
    expected.names.insert(expected.names.begin() + 1, "Arrows");
    EXPECT_EQ(Snapshot(store), expected);
    EXPECT_EQ(store.m_keySyms.at("alpha")->m_nSet, 2);
    EXPECT_EQ(store.m_keySyms.at("secret")->m_nSet, 0);

    // Forwards past two sets, then back to the front.
    EXPECT_EQ(RenameSet(store, 2, "Omega"), 3);
    expected.names = {"_private", "Arrows", "math", "Omega", "Zed"};
    expected.keySyms["alpha"].second = expected.keySyms["beta"].second = "Omega";
    EXPECT_EQ(Snapshot(store), expected);
    EXPECT_EQ(RenameSet(store, 3, "0mega"), 0);
    expected.names = {"0mega", "_private", "Arrows", "math", "Zed"};
    expected.keySyms["alpha"].second = expected.keySyms["beta"].second = "0mega";
    EXPECT_EQ(Snapshot(store), expected);
    EXPECT_EQ(RenameSet(store, 3, "MATH"), 3);
    expected.names[3] = "MATH";
    expected.keySyms["plusminus"].second = "MATH";
    EXPECT_EQ(Snapshot(store), expected);

    DeleteSet(store, 0);
    expected.names.erase(expected.names.begin());
    expected.keySyms.erase("alpha");
    expected.keySyms.erase("beta");
    EXPECT_EQ(Snapshot(store), expected);
    EXPECT_TRUE(HoldsInvariants(store));
    DeleteSet(store, 3);
    DeleteSet(store, 0);
    DeleteSet(store, 0);
    DeleteSet(store, 0);
    EXPECT_TRUE(store.m_setNames.empty());
    EXPECT_TRUE(store.m_keySyms.empty());
    EXPECT_EQ(AddSet(store, "first"), 0);
}

TEST(SetListEdits, OutOfMemoryLeavesTheStoreAsItWas)
{
    struct Edit {
        const char* what;
        std::function<void(CKeySymStore&)> run;
    } const edits[] = {
        {"add at the front", [](CKeySymStore& s) { AddSet(s, "0"); }},
        {"add in the middle", [](CKeySymStore& s) { AddSet(s, "Kana"); }},
        {"rename forwards", [](CKeySymStore& s) { RenameSet(s, 1, "Xi and the letters after it"); }},
        {"rename backwards", [](CKeySymStore& s) { RenameSet(s, 2, "Alpha and omega, a longer name"); }},
        {"delete", [](CKeySymStore& s) { DeleteSet(s, 1); }},
    };
    for (const Edit& edit : edits) {
        CKeySymStore reference;
        Fill(reference, Example());
        edit.run(reference);
        const Contents done = Snapshot(reference);

        int failures = 0;
        for (long allowed = 0;; ++allowed) {
            CKeySymStore store;
            Fill(store, Example());
            store.m_setNames.shrink_to_fit();
            const Contents before = Snapshot(store);
            bool threw = false;
            FailAllocationsAfter(allowed);
            try {
                edit.run(store);
            } catch (const std::bad_alloc&) {
                threw = true;
            }
            FailAllocationsAfter(-1);
            if (!threw) {
                EXPECT_EQ(Snapshot(store), done) << edit.what;
                break;
            }
            ++failures;
            ASSERT_TRUE(HoldsInvariants(store)) << edit.what;
            EXPECT_EQ(Snapshot(store), before) << edit.what << ", failing after " << allowed << " allocations";
        }
        if (std::string(edit.what) == "delete")
            EXPECT_EQ(failures, 0) << "a delete needs no memory";
        else
            EXPECT_GT(failures, 0) << edit.what << " never reached an allocation";
    }
}

TEST(SetListEdits, RandomRunsOfEditsKeepTheStoreSound)
{
    // Each run starts from a random store and applies random adds, renames and deletes
    // through the name rules, as the set page does, and checks the store against a plain
    // model after every step.
    std::mt19937 random(20261208);
    const char* syllables[] = {"a", "Ka", "mi", "_", "Zo", "ru", "E", "n", " ", "=", "main", "x"};
    auto RandomName = [&] {
        std::string name;
        const int parts = 1 + static_cast<int>(random() % 3);
        for (int i = 0; i < parts; ++i)
            name += syllables[random() % std::size(syllables)];
        return name;
    };
    for (int run = 0; run < 300; ++run) {
        Contents model;
        for (int i = static_cast<int>(random() % 8); i > 0; --i) {
            const SetNameCheck check = CheckSetName(model.names, RandomName(), -1);
            if (check.verdict == SetNameVerdict::Usable)
                model.names.push_back(check.name);
        }
        model.names = Sorted(model.names);
        for (int k = static_cast<int>(random() % 30); k > 0 && !model.names.empty(); --k)
            model.keySyms["ks" + std::to_string(random() % 1000)] = {std::to_string(k),
                                                                    model.names[random() % model.names.size()]};
        CKeySymStore store;
        Fill(store, model);
        ASSERT_EQ(Snapshot(store), model);

        for (int step = 0; step < 12; ++step) {
            const int sets = static_cast<int>(model.names.size());
            const int kind = static_cast<int>(random() % 3);
            std::string described;
            if (kind == 0 || sets == 0) {
                const SetNameCheck check = CheckSetName(store.m_setNames, RandomName(), -1);
                described = "add \"" + check.name + "\"";
                if (check.verdict == SetNameVerdict::Usable) {
                    const int at = AddSet(store, check.name);
                    model.names.push_back(check.name);
                    model.names = Sorted(model.names);
                    EXPECT_EQ(store.m_setNames[at], check.name) << described;
                }
            } else if (kind == 1) {
                const int index = static_cast<int>(random() % sets);
                const SetNameCheck check = CheckSetName(store.m_setNames, RandomName(), index);
                described = "rename " + model.names[index] + " to \"" + check.name + "\"";
                if (check.verdict == SetNameVerdict::Usable) {
                    const std::string old = model.names[index];
                    const int at = RenameSet(store, index, check.name);
                    model.names[index] = check.name;
                    model.names = Sorted(model.names);
                    for (auto& keySym : model.keySyms)
                        if (keySym.second.second == old)
                            keySym.second.second = check.name;
                    EXPECT_EQ(store.m_setNames[at], check.name) << described;
                }
            } else {
                const int index = static_cast<int>(random() % sets);
                described = "delete " + model.names[index];
                const std::string gone = model.names[index];
                DeleteSet(store, index);
                model.names.erase(model.names.begin() + index);
                std::erase_if(model.keySyms, [&](const auto& keySym) { return keySym.second.second == gone; });
            }
            ASSERT_TRUE(HoldsInvariants(store)) << "run " << run << ", step " << step << ": " << described;
            ASSERT_EQ(Snapshot(store), model) << "run " << run << ", step " << step << ": " << described;
        }
    }
}
