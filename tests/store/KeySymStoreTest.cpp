// The store's set order, and the keysym file as written and read back.
#include "store/KeySymStore.h"
#include "store/ProfileSections.h"

#include "StoreTestFiles.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// Exchange passes until one pass exchanges nothing: the order the set list must have.
void ExchangeSort(std::vector<std::string>& names)
{
    for (bool exchanged = names.size() > 1; exchanged;) {
        exchanged = false;
        for (size_t i = 0; i + 1 < names.size(); ++i) {
            if (CompareSetNames(names[i], names[i + 1]) > 0) {
                std::swap(names[i], names[i + 1]);
                exchanged = true;
            }
        }
    }
}

// The file as a walk over the whole map for every set writes it.
std::string WrittenSetBySet(const CKeySymStore& store)
{
    std::string out = "[main]\r\n";
    for (const std::string& name : store.m_setNames) out += name + "=1\r\n";
    for (const std::string& name : store.m_setNames) {
        out += "[" + name + "]\r\n";
        for (const auto& [key, entry] : store.m_keySyms)
            if (ProfileSections::NameKey(store.m_setNames[entry->m_nSet]) == ProfileSections::NameKey(name))
                out += key + "=" + entry->m_strValue + "\r\n";
    }
    return out;
}

void AddKeySym(CKeySymStore& store, const std::string& name, const std::string& value, int set)
{
    store.m_keySyms[name] = std::make_unique<CKeySymEntry>(value, set);
}

class KeySymFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_store.m_strUserDir = m_folder.Path();
        m_store.m_strKeySymFile = m_folder.File("keysyms.kbs");
    }

    // Saves m_store and loads the file into a fresh store.
    std::unique_ptr<CKeySymStore> SaveAndLoad()
    {
        EXPECT_TRUE(m_store.SaveKeySymFile());
        auto loaded = std::make_unique<CKeySymStore>();
        loaded->LoadKeySymFile(m_store.m_strKeySymFile);
        return loaded;
    }

    std::unique_ptr<CKeySymStore> Load(const std::string& bytes)
    {
        const std::string path = m_folder.NewFile("keysyms");
        WriteBytes(path, bytes);
        auto loaded = std::make_unique<CKeySymStore>();
        loaded->LoadKeySymFile(path);
        return loaded;
    }

    TempFolder m_folder;
    CKeySymStore m_store;
};

TEST(SetOrderTest, SortsStablyWithUnderscoreFirst)
{
    CKeySymStore store;
    store.SortSetNames();
    EXPECT_TRUE(store.m_setNames.empty());

    store.m_setNames = {"only"};
    store.SortSetNames();
    EXPECT_EQ(std::vector<std::string>{"only"}, store.m_setNames);

    store.m_setNames = {"b", "A", "a"};
    store.SortSetNames();
    EXPECT_EQ((std::vector<std::string>{"A", "a", "b"}), store.m_setNames);

    store.m_setNames = {"Zeta", "_private", "alpha", "Alpha", "_Private"};
    store.SortSetNames();
    EXPECT_EQ((std::vector<std::string>{"_private", "_Private", "alpha", "Alpha", "Zeta"}), store.m_setNames);
}

TEST(SetOrderTest, SameOrderAsExchangePasses)
{
    const char* pool[] = {"a", "A", "b", "B", "_", "ab", "AB", "a b", "Ab", "", "z", "Z_", "[x]", "\xE9", "\xC9"};
    std::mt19937 random(3);
    for (int round = 0; round < 200; ++round) {
        std::vector<std::string> names;
        for (int i = 0, n = static_cast<int>(random() % 12); i < n; ++i) names.push_back(pool[random() % 15]);
        CKeySymStore store;
        store.m_setNames = names;
        store.SortSetNames();
        ExchangeSort(names);
        ASSERT_EQ(names, store.m_setNames);
    }
}

TEST(SetOrderTest, NewStoreStartsOnFirstSetAndRow)
{
    const CKeySymStore store;
    EXPECT_EQ(0, store.m_nCurSet);
    EXPECT_EQ(0, store.m_nCurKeySym);
    EXPECT_FALSE(store.m_bModified);
    EXPECT_FALSE(store.m_bChanged);
}

TEST_F(KeySymFileTest, WorkedExampleToTheByte)
{
    m_store.m_setNames = {"Greek", "math"};
    AddKeySym(m_store, "alpha", "7e1", 0);
    AddKeySym(m_store, "beta", "7e2", 0);
    AddKeySym(m_store, "plusminus", "b1", 1);
    const auto loaded = SaveAndLoad();

    EXPECT_EQ("[main]\r\nGreek=1\r\nmath=1\r\n[Greek]\r\nalpha=7e1\r\nbeta=7e2\r\n[math]\r\nplusminus=b1\r\n",
              ReadBytes(m_store.m_strKeySymFile));
    EXPECT_EQ(Describe(m_store), Describe(*loaded));
    EXPECT_FALSE(m_store.m_bModified);   // the pages own the flag
}

TEST_F(KeySymFileTest, EmptyStoreAndEmptySets)
{
    SaveAndLoad();
    EXPECT_EQ("[main]\r\n", ReadBytes(m_store.m_strKeySymFile));

    m_store.m_setNames = {"empty", "full"};
    AddKeySym(m_store, "k", "1", 1);
    const auto loaded = SaveAndLoad();
    EXPECT_EQ("[main]\r\nempty=1\r\nfull=1\r\n[empty]\r\n[full]\r\nk=1\r\n", ReadBytes(m_store.m_strKeySymFile));
    EXPECT_EQ(Describe(m_store), Describe(*loaded));
}

TEST_F(KeySymFileTest, SetsEqualApartFromCaseShareOneSection)
{
    // The reader finds one section for both and gives its keysyms to the later set, as
    // loading leaves them: one section is written, never a copy the reader would not see.
    m_store.m_setNames = {"Greek", "greek", "math"};
    AddKeySym(m_store, "alpha", "1", 1);
    AddKeySym(m_store, "beta", "2", 1);
    AddKeySym(m_store, "plus", "3", 2);
    EXPECT_TRUE(m_store.SaveKeySymFile());
    EXPECT_EQ("[main]\r\nGreek=1\r\ngreek=1\r\nmath=1\r\n[Greek]\r\nalpha=1\r\nbeta=2\r\n[math]\r\nplus=3\r\n",
              ReadBytes(m_store.m_strKeySymFile));

    // A keysym of the first would come back in the second: refused, nothing written.
    AddKeySym(m_store, "gamma", "4", 0);
    EXPECT_EQ(KeySymSave::Refused, m_store.SaveKeySymFile(true));
    EXPECT_EQ(KeySymFileRefusal::KeySym, m_store.m_saveRefusal.what);
    EXPECT_EQ("gamma", m_store.m_saveRefusal.name);
    EXPECT_EQ(std::string::npos, ReadBytes(m_store.m_strKeySymFile).find("gamma"));
}

TEST_F(KeySymFileTest, DoubleByteSetsThatOnlyCompareEqualKeepTheirOwnKeysyms)
{
    if (!DoubleByteCodePage()) GTEST_SKIP() << "needs a double-byte ANSI code page (LANG=ja_JP.UTF-8)";
    // Full-width "Ａ" and "ａ" compare equal as set names, yet the reader keeps their sections
    // apart: each section lists its own set's keysyms, and a reload finds them there.
    m_store.m_setNames = {"\x82\x60", "\x82\x81"};
    AddKeySym(m_store, "k1", "1", 0);
    AddKeySym(m_store, "k2", "2", 1);
    const auto loaded = SaveAndLoad();
    EXPECT_EQ(Describe(m_store), Describe(*loaded));
}

TEST_F(KeySymFileTest, OnePassWritesWhatTheSetBySetWalkWrites)
{
    const char* names[] = {"Greek", "GREEK", "greek", "math", "Math", "_x", "a b", "main", "Main", ""};
    std::mt19937 random(11);
    for (int round = 0; round < 40; ++round) {
        CKeySymStore store;
        for (int i = 0, n = 1 + static_cast<int>(random() % 8); i < n; ++i) store.m_setNames.push_back(names[random() % 10]);
        store.SortSetNames();
        for (int k = 0, n = static_cast<int>(random() % 50); k < n; ++k)
            AddKeySym(store, std::string("k").append(std::to_string(random() % 100)), std::to_string(k),
                      static_cast<int>(random() % store.m_setNames.size()));
        ASSERT_EQ(WrittenSetBySet(store), store.FormatKeySymFile()) << Describe(store);
    }
}

TEST_F(KeySymFileTest, RoundTripsOfGeneratedStores)
{
    std::mt19937 random(5);
    const std::string letters = "abcXYZ_09 -.,\xE9\xC9";
    auto name = [&](size_t length) {
        std::string s = "n";   // no leading blank, "[" or ";"
        for (size_t i = 0; i < length; ++i) s += letters[random() % letters.size()];
        return s + "e";        // no trailing blank
    };
    for (int round = 0; round < 6; ++round) {
        CKeySymStore& store = m_store;
        store.m_setNames.clear();
        store.m_keySyms.clear();
        const int sets = round == 0 ? 0 : static_cast<int>(1 + random() % 30);
        for (int s = 0; s < sets; ++s) store.m_setNames.push_back(name(random() % 12) + std::to_string(s));
        store.SortSetNames();
        const int keysyms = sets == 0 ? 0 : (round == 5 ? 5000 : static_cast<int>(random() % 300));
        for (int k = 0; k < keysyms; ++k) {
            const size_t valueLength = k % 97 == 0 ? 20000 : random() % 8;
            AddKeySym(store, name(random() % 10) + std::to_string(k), std::string(valueLength, 'f') + "1",
                      static_cast<int>(random() % sets));
        }
        const auto loaded = SaveAndLoad();
        ASSERT_EQ(Describe(store), Describe(*loaded)) << "round " << round;
    }
}

TEST_F(KeySymFileTest, DuplicatesAcrossTheFile)
{
    // A set listed twice: its keysyms land in the second, read last.
    auto twice = Load("[main]\r\nA=1\r\nA=0\r\n[A]\r\nk=1\r\n");
    EXPECT_EQ("set A\nset A\nk = 1 in 1\n", Describe(*twice));

    // A keysym in two sections goes to the set later in sorted order; within
    // a section the last line wins.
    auto moved = Load("[main]\r\nzeta=1\r\nalpha=1\r\n[zeta]\r\nk=z\r\n[alpha]\r\nk=a\r\nm=1\r\nm=2\r\n");
    EXPECT_EQ("set alpha\nset zeta\nk = z in 1\nm = 2 in 0\n", Describe(*moved));

    // Only sections that the set list names are read.
    auto unlisted = Load("[main]\r\na=1\r\n[a]\r\nx=1\r\n[b]\r\ny=2\r\n");
    EXPECT_EQ("set a\nx = 1 in 0\n", Describe(*unlisted));
}

TEST_F(KeySymFileTest, LinesStartingWithEqualsAndNamesHoldingIt)
{
    // A set without a name reads the lines before the first header, as the
    // platform's reader hands them out for an empty section name.
    auto loaded = Load("=v\r\n[main]\r\n=1\r\nx=y=1\r\n[]\r\n=w\r\n[x=y]\r\nlost=1\r\n[x]\r\na=b=1\r\n");
    EXPECT_EQ("set \nset x\n = v in 0\na = b=1 in 1\n", Describe(*loaded));

    // It would read back cut at the first "=": refused, naming it, and nothing written.
    m_store.m_setNames = {"s"};
    AddKeySym(m_store, "a=b", "1", 0);
    EXPECT_EQ(KeySymSave::Refused, m_store.SaveKeySymFile(true));
    EXPECT_EQ("a=b", m_store.m_saveRefusal.name);
    EXPECT_FALSE(FileExists(m_store.m_strKeySymFile));
}

TEST_F(KeySymFileTest, ReadBackCatchesWhatTheReaderWouldTrimSplitOrSkip)
{
    // Each of these writes bytes the reader takes otherwise: refused, nothing written.
    struct Case {
        std::string set, name, value;
    } cases[] = {
        {"s", "k", "1 "},               // a trailing blank is trimmed
        {"s", "k", "1\r\nx=2"},         // a line end makes another keysym
        {"s", "a\rb", "1"},             // a lone CR ends the line
        {"s", ";k", "1"},               // a comment
        {"s", std::string("k\0z", 3), "1"},   // the reader stops at a NUL
        {" s", "k", "1"},               // a header's inner blank is trimmed
        {"s]x", "k", "1"},              // the header closes at its last "]": still "s]x"
    };
    for (const Case& c : cases) {
        CKeySymStore& store = m_store;
        store.m_setNames = {c.set};
        store.m_keySyms.clear();
        AddKeySym(store, c.name, c.value, 0);
        const bool readsBack = c.set == "s]x";
        EXPECT_EQ(readsBack ? KeySymSave::Saved : KeySymSave::Refused, store.SaveKeySymFile(true)) << c.set << c.name;
        EXPECT_EQ(readsBack, FileExists(store.m_strKeySymFile)) << c.set << c.name;
        DeleteFileA(store.m_strKeySymFile.c_str());
        store.m_file.reset();
    }
    // Set names out of the reader's order would come back in another.
    m_store.m_setNames = {"b", "a"};
    m_store.m_keySyms.clear();
    EXPECT_EQ(KeySymSave::Refused, m_store.SaveKeySymFile(true));
    EXPECT_FALSE(FileExists(m_store.m_strKeySymFile));
}

TEST_F(KeySymFileTest, LongSectionsAreReadWhole)
{
    for (int target : {3072, 32767, 200000}) {
        CKeySymStore& store = m_store;
        store.m_setNames = {"big"};
        store.m_keySyms.clear();
        size_t written = 0;
        for (int k = 0; written <= static_cast<size_t>(target); ++k) {
            const std::string name = "keysym" + std::to_string(k);
            AddKeySym(store, name, "7e" + std::to_string(k), 0);
            written += name.size() + 4 + std::to_string(k).size();
        }
        const auto loaded = SaveAndLoad();
        EXPECT_EQ(store.m_keySyms.size(), loaded->m_keySyms.size()) << target;
        EXPECT_EQ(Describe(store), Describe(*loaded)) << target;
    }
}

TEST_F(KeySymFileTest, AnyBytesLoadWithoutHarm)
{
    std::mt19937 random(9);
    std::string junk(1 << 20, '\0');
    for (char& c : junk) c = static_cast<char>(random());
    Load(junk);
    Load("no main section\r\n[other]\r\na=1\r\n");
    Load("[main]\r\n" + std::string(100000, 'n') + "=1\r\n[" + std::string(100000, 'n') + "]\r\n" +
         std::string(100000, 'k') + "=" + std::string(100000, 'v') + "\r\n");

    std::string many = "[main]\r\n";
    for (int s = 0; s < 10000; ++s) many += "set" + std::to_string(9999 - s) + "=1\r\n";
    for (int s = 0; s < 10000; ++s) many += "[set" + std::to_string(s) + "]\r\nk" + std::to_string(s) + "=1\r\n";
    auto big = Load(many);
    EXPECT_EQ(10000u, big->m_setNames.size());
    EXPECT_EQ(10000u, big->m_keySyms.size());
    EXPECT_EQ("set0", big->m_setNames.front());

    auto crOnly = Load("[main]\rGreek=1\r[Greek]\ralpha=7e1\r");
    auto withMark = Load("\xEF\xBB\xBF[main]\r\nGreek=1\r\n[Greek]\r\nalpha=7e1\r\n");
    EXPECT_EQ("set Greek\nalpha = 7e1 in 0\n", Describe(*crOnly));
    EXPECT_EQ("set Greek\nalpha = 7e1 in 0\n", Describe(*withMark));

    auto missing = std::make_unique<CKeySymStore>();
    missing->LoadKeySymFile(m_folder.File("none.kbs"));
    EXPECT_EQ("", Describe(*missing));
}

}  // namespace
