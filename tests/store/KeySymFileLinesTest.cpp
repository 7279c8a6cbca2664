// The keysym file kept as its lines: a save changes only what the user changed, and is read
// back before it counts. The platform's own profile reader is the judge of what a file means.
#include "store/KeySymFileLines.h"

#include "StoreTestFiles.h"
#include "support/PlatformKeySyms.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

namespace {

// The store as loading `file` fills it.
void Fill(CKeySymStore& store, const KeySymFileLines& file)
{
    store.m_keySyms.clear();
    file.Fill(store.m_setNames, store.m_keySyms);
}

// The set list sorted again, every keysym following its set, as the set page leaves it.
void Resort(CKeySymStore& store)
{
    std::vector<size_t> order(store.m_setNames.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        return CompareSetNames(store.m_setNames[a], store.m_setNames[b]) < 0;
    });
    std::vector<int> moved(order.size());
    std::vector<std::string> names(order.size());
    for (size_t k = 0; k < order.size(); ++k) {
        moved[order[k]] = static_cast<int>(k);
        names[k] = store.m_setNames[order[k]];
    }
    store.m_setNames = names;
    for (auto& [name, entry] : store.m_keySyms) entry->m_nSet = moved[static_cast<size_t>(entry->m_nSet)];
}

int SetOf(const CKeySymStore& store, const std::string& name)
{
    const auto it = std::find(store.m_setNames.begin(), store.m_setNames.end(), name);
    return it == store.m_setNames.end() ? -1 : static_cast<int>(it - store.m_setNames.begin());
}

void DeleteSet(CKeySymStore& store, const std::string& name)
{
    const int set = SetOf(store, name);
    std::erase_if(store.m_keySyms, [&](const auto& keySym) { return keySym.second->m_nSet == set; });
    for (auto& [key, entry] : store.m_keySyms)
        if (entry->m_nSet > set) --entry->m_nSet;
    store.m_setNames.erase(store.m_setNames.begin() + set);
}

// What the platform reads from `bytes`, as the store would hold it.
std::string PlatformReads(TempFolder& folder, const std::string& bytes)
{
    const std::string path = folder.NewFile("platform");
    WriteBytes(path, bytes);
    return kstest::PlatformKeySyms(path);
}

const char kHandEdited[] =
    "; keysyms for the lab, kept by hand\r\n"
    "[main]\r\n"
    "Greek=1\r\n"
    "greek=1\r\n"
    "  math = 1\r\n"
    "; retired=1\r\n"
    "\r\n"
    "[Greek]\r\n"
    "; small letters\r\n"
    "alpha=7e1\r\n"
    "beta = 7e2\r\n"
    "see the chart on the wall\r\n"
    "\r\n"
    "; the sums\r\n"
    "[math]\r\n"
    "plusminus=b1\r\n"
    "plusminus=b1\r\n"
    "[extras]\r\n"
    "foo=1\r\n"
    "[greek]\r\n"
    "gamma=7e3\r\n"
    "[MATH]\r\n"
    "minus=2d";   // no line end at the end

class KeySymFileLinesTest : public ::testing::Test {
protected:
    // Saves the store over the current file: the new file keeps every foreign line in its
    // place and means exactly the store, to the platform too.
    void Save(const char* what)
    {
        KeySymFileRefusal refusal;
        std::unique_ptr<KeySymFileLines> next = m_file->Update(m_store, m_renames, refusal);
        ASSERT_TRUE(next) << what << ": refused " << refusal.what << " " << refusal.name;
        EXPECT_EQ(m_foreign, Texts(next->ForeignLines())) << what;
        // The platform spells names its code page cannot hold in other characters: those stay hidden.
        if (!next->HasUnshownNames() && m_platformJudges) {
            EXPECT_EQ(Describe(m_store), PlatformReads(m_folder, next->Bytes())) << what << "\n" << next->Bytes();
        }
        m_file = std::move(next);
        m_renames.clear();
    }

    KeySymFileRefusal Refused()
    {
        KeySymFileRefusal refusal;
        EXPECT_FALSE(m_file->Update(m_store, m_renames, refusal));
        return refusal;
    }

    static std::vector<std::string> Texts(const std::vector<std::string_view>& lines)
    {
        return std::vector<std::string>(lines.begin(), lines.end());
    }

    void Open(std::string bytes)
    {
        m_file = std::make_unique<KeySymFileLines>(std::move(bytes));
        Fill(m_store, *m_file);
        m_foreign = Texts(m_file->ForeignLines());
    }

    TempFolder m_folder;
    CKeySymStore m_store;
    std::unique_ptr<KeySymFileLines> m_file;
    std::vector<SetRename> m_renames;
    std::vector<std::string> m_foreign;
    bool m_platformJudges = true;
};

TEST_F(KeySymFileLinesTest, HandEditedFileKeepsEveryLineTheEditorDoesNotShow)
{
    Open(kHandEdited);
    ASSERT_EQ((std::vector<std::string>{"Greek", "greek", "math"}), m_store.m_setNames);
    EXPECT_EQ(Describe(m_store), PlatformReads(m_folder, kHandEdited));
    EXPECT_EQ(13u, m_foreign.size());   // comments, blanks, a note, [extras], [greek], [MATH]
    Save("nothing changed");
    EXPECT_EQ(kHandEdited, m_file->Bytes());

    m_store.m_keySyms["delta"] = std::make_unique<CKeySymEntry>("7e4", SetOf(m_store, "greek"));
    m_store.m_keySyms["alpha"]->m_strValue = "3b1";
    m_store.m_keySyms.erase("beta");
    Save("keysym added, edited, deleted");
    const std::string& bytes = m_file->Bytes();
    EXPECT_NE(std::string::npos, bytes.find("; small letters\r\nalpha=3b1\r\nsee the chart on the wall\r\ndelta=7e4\r\n"));

    m_store.m_keySyms.erase("plusminus");   // both of its lines go, or the first would come back
    m_store.m_keySyms["minus"] = std::make_unique<CKeySymEntry>("2212", SetOf(m_store, "math"));
    Save("keysym of a doubled line deleted, keysym of a repeated section's name added");
    EXPECT_EQ(std::string::npos, m_file->Bytes().find("plusminus"));

    m_store.m_setNames.push_back("arrows");
    Resort(m_store);
    m_store.m_keySyms["leftarrow"] = std::make_unique<CKeySymEntry>("8fb", SetOf(m_store, "arrows"));
    Save("set added");
    EXPECT_NE(std::string::npos, m_file->Bytes().find("[main]\r\narrows=1\r\nGreek=1\r\n"));

    m_store.m_setNames[static_cast<size_t>(SetOf(m_store, "math"))] = "maths";
    m_renames.push_back({"math", "maths"});
    Resort(m_store);
    Save("set renamed");
    EXPECT_NE(std::string::npos, m_file->Bytes().find("; the sums\r\n[maths]\r\nminus=2212\r\n[extras]"));

    DeleteSet(m_store, "greek");
    Save("set deleted that shares its section");
    DeleteSet(m_store, "Greek");
    Save("set deleted");
    EXPECT_EQ(std::string::npos, m_file->Bytes().find("[Greek]"));
    EXPECT_NE(std::string::npos, m_file->Bytes().find("; small letters\r\nsee the chart on the wall\r\n"));
}

TEST_F(KeySymFileLinesTest, FileTheStoreWroteIsWrittenAsItsOwnWriterWritesIt)
{
    CKeySymStore store;
    store.m_setNames = {"Greek", "math"};
    store.m_keySyms["alpha"] = std::make_unique<CKeySymEntry>("7e1", 0);
    store.m_keySyms["plusminus"] = std::make_unique<CKeySymEntry>("b1", 1);
    Open(store.FormatKeySymFile());
    EXPECT_TRUE(m_foreign.empty());
    m_store.m_keySyms["beta"] = std::make_unique<CKeySymEntry>("7e2", 0);
    m_store.m_setNames.push_back("arrows");
    Resort(m_store);
    Save("added");
    EXPECT_EQ(m_store.FormatKeySymFile(), m_file->Bytes());

    Open("");
    m_store.m_setNames = {"s"};
    Save("first save");
    EXPECT_EQ("[main]\r\ns=1\r\n[s]\r\n", m_file->Bytes());
}

// A name that would not come back as it went in is named, and nothing is written.
TEST_F(KeySymFileLinesTest, SaveThatWouldNotMeanTheStoreIsRefused)
{
    Open(kHandEdited);
    // Greek and greek share one section: a keysym of Greek would come back in greek.
    m_store.m_keySyms["epsilon"] = std::make_unique<CKeySymEntry>("7e5", SetOf(m_store, "Greek"));
    KeySymFileRefusal refusal = Refused();
    EXPECT_EQ(KeySymFileRefusal::KeySym, refusal.what);
    EXPECT_EQ("epsilon", refusal.name);
    m_store.m_keySyms.erase("epsilon");

    // A set named after a section [main] does not list would take that section's lines.
    m_store.m_setNames.push_back("extras");
    Resort(m_store);
    refusal = Refused();
    EXPECT_EQ(KeySymFileRefusal::KeySym, refusal.what);
    EXPECT_EQ("foo", refusal.name);
    DeleteSet(m_store, "extras");

    m_store.m_setNames.push_back("a=b");
    Resort(m_store);
    refusal = Refused();
    EXPECT_EQ(KeySymFileRefusal::SetName, refusal.what);
    EXPECT_EQ("a=b", refusal.name);
}

// Code pages 1252 and 932 read each other's files differently. Whatever this one reads, a save
// keeps the lines it does not change byte for byte and never moves a keysym.
TEST_F(KeySymFileLinesTest, FilesOfTheOtherCodePage)
{
    // Written under 1252: under 932 the e-acute is a lead byte and swallows the "]".
    const std::string western = "[main]\r\nBar=1\r\nCaf\xE9=1\r\n[Bar]\r\nx=1\r\n[Caf\xE9]\r\necu=20a0\r\n";
    Open(western);
    // Under 932 the platform takes "\xE9=" for one character; the section reader, like the
    // editor before it, takes the "=": Caf\xE9 is a set without keysyms to one, no set to the other.
    m_platformJudges = !DoubleByteCodePage();
    const std::string before = Describe(m_store);
    m_store.m_keySyms["y"] = std::make_unique<CKeySymEntry>("2", SetOf(m_store, "Bar"));
    Save("keysym added to a file of 1252");
    EXPECT_NE(std::string::npos, m_file->Bytes().find("[Caf\xE9]\r\necu=20a0\r\n"));
    EXPECT_NE(std::string::npos, before.find(DoubleByteCodePage() ? "ecu = 20a0 in 0" : "ecu = 20a0 in 1"));

    // Written under 932: katakana A and DI differ only in a trail byte, "A" against "a".
    m_platformJudges = true;
    const std::string japanese = "[main]\r\n\x83\x41=1\r\n\x83\x61=1\r\n[\x83\x41]\r\na=1\r\n[\x83\x61]\r\nb=2\r\n";
    Open(japanese);
    const int first = SetOf(m_store, "\x83\x41");
    m_store.m_keySyms["c"] = std::make_unique<CKeySymEntry>("3", first);
    if (DoubleByteCodePage()) {
        Save("keysym added to a file of 932");
    } else {
        // One section for both under 1252: c would come back in the other set.
        EXPECT_EQ("c", Refused().name);
        m_store.m_keySyms.erase("c");
        m_store.m_keySyms["a"]->m_strValue = "11";
        Save("keysym edited in a file of 932");
        EXPECT_NE(std::string::npos, m_file->Bytes().find("[\x83\x61]\r\nb=2\r\n"));
    }
}

std::string Utf16(const std::wstring& text)
{
    std::string out = "\xFF\xFE";
    for (wchar_t ch : text) {
        out.push_back(static_cast<char>(ch & 0xFF));
        out.push_back(static_cast<char>(ch >> 8));
    }
    return out;
}

std::string Utf8(const std::wstring& text)
{
    std::string out(text.size() * 3, '\0');
    out.resize(static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                                       out.data(), static_cast<int>(out.size()), nullptr, nullptr)));
    return "\xEF\xBB\xBF" + out;
}

// Greek and Japanese set names in files with a byte-order mark: a save writes the same
// encoding with the same mark, and a name the code page cannot spell stays as it was.
TEST_F(KeySymFileLinesTest, UnicodeFilesKeepTheirEncoding)
{
    const std::wstring text = L"[main]\r\nplain=1\r\n\x03a3\x03b5\x03c4=1\r\n\x65e5\x672c=1\r\n"
                              L"[plain]\r\nx=1\r\n[\x03a3\x03b5\x03c4]\r\nsigma=7f2\r\n[\x65e5\x672c]\r\nnichi=4e00\r\n";
    for (const std::string& bytes : {Utf8(text), Utf16(text)}) {
        Open(bytes);
        EXPECT_EQ(!DoubleByteCodePage(), m_file->HasUnshownNames());
        EXPECT_EQ(DoubleByteCodePage() ? 3u : 1u, m_store.m_setNames.size());
        m_store.m_keySyms["y"] = std::make_unique<CKeySymEntry>("2", SetOf(m_store, "plain"));
        Save("keysym added");
        const std::wstring after = text.substr(0, text.find(L"[\x03a3")) + L"y=2\r\n" + text.substr(text.find(L"[\x03a3"));
        EXPECT_EQ(bytes[0] == '\xEF' ? Utf8(after) : Utf16(after), m_file->Bytes());
        if (DoubleByteCodePage()) {
            m_store.m_keySyms["hon"] = std::make_unique<CKeySymEntry>("672c", SetOf(m_store, "\x93\xfa\x96\x7b"));
            Save("keysym added to a Japanese set");
            m_store.m_setNames.push_back("\x82");   // a lead byte without its trail byte
            EXPECT_EQ(KeySymFileRefusal::Encoding, Refused().what);
        }
    }
}

}  // namespace
