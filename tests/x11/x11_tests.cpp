// What X11 knows, headless: the standard keysym table, the keysym dialog's hints, reading
// XKeysymDB files and headers (X.Org's own vendor headers among them), and import and
// export against a store, out of memory included.
#include "x11/KeySymHints.h"
#include "store/WholeFile.h"
#include "x11/InterchangeMessages.h"
#include "x11/KeySymImport.h"
#include "x11/StandardKeySyms.h"
#include "resources/resource.h"
#include "FailingAllocator.h"
#include "StoreContents.h"
#include "TestFiles.h"
#include <gtest/gtest.h>
#include <mbctype.h>
#include <random>
#include <tuple>

namespace {

using Lines = std::vector<std::pair<std::string, std::string>>;   // name, value

Lines Read(const KeySymLines& lines)
{
    Lines out;
    for (const KeySymLine& line : lines.keySyms) out.emplace_back(line.name, line.value);
    return out;
}

// A store of the given sets and keysyms, sorted as the store sorts.
StoreContents Contents(std::vector<std::string> names, std::map<std::string, std::pair<std::string, std::string>> keySyms)
{
    StoreContents c;
    c.names = SortedSetNames(std::move(names));
    c.keySyms = std::move(keySyms);
    return c;
}

int SetIndex(const CKeySymStore& store, const std::string& name)
{
    for (size_t i = 0; i < store.m_setNames.size(); ++i)
        if (store.m_setNames[i] == name) return static_cast<int>(i);
    return -1;
}

std::string HeaderPath(const std::string& name) { return kstest::BinDir() + "\\x11headers\\" + name; }

}  // namespace

// ---- the standard table -----------------------------------------------------

TEST(StandardKeySyms, TableIsSortedAndFindsByNameAndValue)
{
    const auto table = StandardKeySyms();
    ASSERT_GT(table.size(), 2000u);
    for (size_t i = 1; i < table.size(); ++i)
        ASSERT_LT(std::string(table[i - 1].name), std::string(table[i].name)) << "at " << i;
    for (const StandardKeySym& keySym : table) {
        ASSERT_EQ(FindStandardKeySymByName(keySym.name), &keySym);
        const StandardKeySym* byValue = FindStandardKeySymByValue(keySym.value);
        ASSERT_NE(byValue, nullptr) << keySym.name;
        ASSERT_EQ(byValue->value, keySym.value);
    }

    const StandardKeySym* alpha = FindStandardKeySymByName("Greek_alpha");
    ASSERT_NE(alpha, nullptr);
    EXPECT_EQ(alpha->value, 0x7E1u);
    EXPECT_EQ(alpha->codePoint, 0x3B1u);
    EXPECT_EQ(FindStandardKeySymByValue(0x7E1), alpha);
    EXPECT_EQ(FindStandardKeySymByName("greek_alpha"), nullptr);   // names are case-sensitive
    EXPECT_EQ(FindStandardKeySymByName(""), nullptr);
    // Aliases: the value finds the first name the header gives.
    EXPECT_STREQ(FindStandardKeySymByValue(0xFF55)->name, "Prior");
    EXPECT_STREQ(FindStandardKeySymByValue(0xFF7E)->name, "Mode_switch");
    // A loose mapping in parentheses gives no character.
    EXPECT_EQ(FindStandardKeySymByName("topleftradical")->codePoint, 0u);
    EXPECT_EQ(FindStandardKeySymByValue(0x1234567), nullptr);
}

// ---- hints ------------------------------------------------------------------

TEST(KeySymHints, EachKindAppliesOnItsOwnTerms)
{
    struct Case {
        const char* name;
        const char* value;
        std::vector<KeySymHint> hints;
    };
    const std::vector<Case> cases = {
        {"", "", {}},
        {"", "7e1", {{IDS_HINT_CHARACTER, L"\x03B1", L"03B1"}, {IDS_HINT_STANDARD_VALUE, L"Greek_alpha", L""}}},
        {"", "07E1", {{IDS_HINT_CHARACTER, L"\x03B1", L"03B1"}, {IDS_HINT_STANDARD_VALUE, L"Greek_alpha", L""}}},
        {"", "41", {{IDS_HINT_CHARACTER, L"A", L"0041"}, {IDS_HINT_STANDARD_VALUE, L"A", L""}}},
        {"", "e9", {{IDS_HINT_CHARACTER, L"\x00E9", L"00E9"}, {IDS_HINT_STANDARD_VALUE, L"eacute", L""}}},
        {"", "1F", {{IDS_HINT_RANGE, L"LATIN1", L"0001-00ff"}}},
        {"", "ff00", {{IDS_HINT_RANGE, L"MISCELLANY", L"ff00-ffff"}}},
        {"", "00", {{IDS_HINT_NO_SYMBOL, L"", L""}}},
        {"", "1008FF12", {{IDS_HINT_STANDARD_VALUE, L"XF86AudioMute", L""}}},
        {"", "1008FFFE", {{IDS_HINT_RANGE, L"XF86", L"10080000-1008ffff"}}},
        {"", "100D800", {{IDS_HINT_NO_CHARACTER, L"D800", L""}}},
        {"", "100DFFF", {{IDS_HINT_NO_CHARACTER, L"DFFF", L""}}},
        {"", "100FDD0", {{IDS_HINT_NO_CHARACTER, L"FDD0", L""}}},
        {"", "110FFFF", {{IDS_HINT_NO_CHARACTER, L"10FFFF", L""}}},
        {"", "100FFFD", {{IDS_HINT_CHARACTER, L"\xFFFD", L"FFFD"}}},
        {"SunCompose", "", {{IDS_HINT_STANDARD_NAME, L"SunCompose", L"ff20"}}},
        {"", "1000100", {{IDS_HINT_CHARACTER, L"\x0100", L"0100"}}},
        {"", "101F600", {{IDS_HINT_CHARACTER, L"\xD83D\xDE00", L"1F600"}}},
        {"", "1FFFFFFF", {}},
        {"", "20000000", {{IDS_HINT_TOO_LARGE, L"", L""}}},
        {"", "12x4", {}},
        {"a", "61", {{IDS_HINT_CHARACTER, L"a", L"0061"}, {IDS_HINT_STANDARD_VALUE, L"a", L""}}},
        {"a", "7E1", {{IDS_HINT_CHARACTER, L"\x03B1", L"03B1"}, {IDS_HINT_STANDARD_VALUE, L"Greek_alpha", L""},
                      {IDS_HINT_STANDARD_NAME, L"a", L"61"}}},
        {"Greek_alpha", "", {{IDS_HINT_STANDARD_NAME, L"Greek_alpha", L"7e1"}}},
        {"my_Key9", "ff00ff", {}},
        {"my key", "", {{IDS_HINT_NAME_CHARS, L"", L""}}},
        {"a-b", "30000000", {{IDS_HINT_TOO_LARGE, L"", L""}, {IDS_HINT_NAME_CHARS, L"", L""}}},
        {"\x96\xBC\x91\x4F", "", {{IDS_HINT_NAME_CHARS, L"", L""}}},   // a double-byte name (code page 932)
    };
    for (const Case& c : cases) {
        const std::vector<KeySymHint> hints = KeySymHints(c.name, c.value);
        ASSERT_EQ(hints.size(), c.hints.size()) << "name \"" << c.name << "\" value \"" << c.value << "\"";
        for (size_t i = 0; i < hints.size(); ++i) {
            EXPECT_EQ(hints[i].textId, c.hints[i].textId) << c.name << "/" << c.value << " line " << i;
            EXPECT_EQ(hints[i].arg1, c.hints[i].arg1) << c.name << "/" << c.value << " line " << i;
            EXPECT_EQ(hints[i].arg2, c.hints[i].arg2) << c.name << "/" << c.value << " line " << i;
        }
    }
    EXPECT_EQ(FormatKeySymHint(L"Character: %1 (U+%2)", KeySymHint{IDS_HINT_CHARACTER, L"\x03B1", L"03B1"}),
              L"Character: \x03B1 (U+03B1)");
}

// ---- reading import files ---------------------------------------------------

TEST(ParseKeySymLines, DatabaseLinesWithAnyLineEnds)
{
    const KeySymLines lines = ParseKeySymLines("! comment\r\nalpha : 7e1\r\nbeta:7E2\ngamma\t:\t7e3 \r\r  \t\rdelta :00000007");
    EXPECT_FALSE(lines.isHeader);
    EXPECT_EQ(Read(lines), (Lines{{"alpha", "7e1"}, {"beta", "7E2"}, {"gamma", "7e3"}, {"delta", "00000007"}}));
    EXPECT_EQ(lines.keySyms[2].line, 4u);
    EXPECT_EQ(lines.keySyms[3].line, 7u);
    EXPECT_EQ(lines.skipped, 0u);

    // The first line that is none of the above is the one reported.
    const KeySymLines odd = ParseKeySymLines("ok : 1\nno colon here\na : 123456789\nb : 12 x\n: 5\n"
                                             "abcdefghijabcdefghijabcdefghijk : 1\nabcdefghijabcdefghijabcdefghij : 2\n");
    EXPECT_EQ(Read(odd), (Lines{{"ok", "1"}, {"abcdefghijabcdefghijabcdefghij", "2"}}));
    EXPECT_EQ(odd.skipped, 5u);
    EXPECT_EQ(odd.firstSkip.line, 2u);
    EXPECT_EQ(odd.firstSkip.reason, ImportSkipReason::NotKeySymLine);
    EXPECT_EQ(odd.firstSkip.text, "no colon here");
}

TEST(ParseKeySymLines, DoubleByteNamesAreReadByCharacter)
{
    const int previous = _getmbcp();
    ASSERT_EQ(_setmbcp(932), 0);
    // Thirty double-byte characters are thirty characters, not sixty; "\x81\x40" (a full-width
    // blank) ends in "@", "\x83\x5C" in "\", and neither ends the name.
    std::string thirty;
    for (int i = 0; i < 30; ++i) thirty += "\x83\x5C";
    const KeySymLines lines = ParseKeySymLines(thirty + " : 1\n" + thirty + "\x83\x5C : 2\nx\x81\x40 : 3\n");
    EXPECT_EQ(Read(lines), (Lines{{thirty, "1"}, {"x\x81\x40", "3"}}));
    EXPECT_EQ(lines.firstSkip.line, 2u);
    _setmbcp(previous);
}

TEST(ParseKeySymLines, HeaderLinesNameKeySymsAsX11Does)
{
    const std::string header =
        "/* a vendor's keysyms */\n"
        "#ifndef _VENDOR_H\n"
        "#define _VENDOR_H\n"
        " *   #define XF86XK_Commented\t0x1\n"
        "#define XF86XK_AudioMute\t0x1008FF12\t/* Mute sound */\n"
        "#\tdefine hpXK_mute_acute 0x100000a8\r\n"
        "#define\tXK_Greek_alpha 0x07e1 // U+03B1\n"
        "#define _EVDEVK(_v) (0x10081000 + _v)\n"
        "#define XF86XK_MacroRecordStart\t_EVDEVK(0x2B0)\t/* v5.5 */\n"
        "#define XF86XK_Unknown\tOTHER(0x2B0)\n"   // no value C would give
        "#define XK_TooLong 0x123456789\n"
        "int x : 1;\n"
        "#endif\n";
    const KeySymLines lines = ParseKeySymLines(header);
    EXPECT_TRUE(lines.isHeader);
    EXPECT_EQ(Read(lines), (Lines{{"XF86AudioMute", "1008FF12"}, {"hpmute_acute", "100000a8"},
                                  {"Greek_alpha", "07e1"}, {"XF86MacroRecordStart", "100812B0"}}));
    EXPECT_EQ(lines.skipped, 2u);   // the keysyms with no value, or one too long
    EXPECT_EQ(lines.firstSkip.line, 10u);
    EXPECT_EQ(lines.firstSkip.reason, ImportSkipReason::ValueUnreadable);
    EXPECT_EQ(lines.skips[1].reason, ImportSkipReason::ValueTooLarge);
}

TEST(ParseKeySymLines, AnyBytesAndLongLines)
{
    // A line of a megabyte between two keysyms.
    const std::string longLine(1 << 20, 'x');
    const KeySymLines lines = ParseKeySymLines("a : 1\n" + longLine + "\rb : 2");
    EXPECT_EQ(Read(lines), (Lines{{"a", "1"}, {"b", "2"}}));
    EXPECT_EQ(lines.firstSkip.text, longLine.substr(0, 60));

    // Random bytes, drawn from what the readers look for, imported into a store that
    // must keep its invariants and take only names the editor would take.
    const std::string_view pieces[] = {":", " ", "\t", "\r", "\n", "\r\n", "!", "#define ", "XK_", "0x", "_EVDEVK",
                                       "(", ")", "+", "7e1", "FF", "a", "Zz_9", "@", "=", "[", ";", "\x81", "\x83\x5C",
                                       "\x9F", std::string_view("\0", 1), "/*"};
    std::mt19937 random(11);
    for (int round = 0; round < 300; ++round) {
        std::string bytes;
        const int count = static_cast<int>(random() % 200);
        for (int i = 0; i < count; ++i) {
            if (random() % 4 == 0) bytes += static_cast<char>(random() & 0xFF);
            else bytes += pieces[random() % std::size(pieces)];
        }
        CKeySymStore store;
        Fill(store, Contents({"S"}, {{"a", {"1", "S"}}}));
        const ImportResult result = ImportKeySyms(store, 0, bytes);
        ASSERT_TRUE(HoldsInvariants(store));
        ASSERT_EQ(store.m_keySyms.size(), 1 + result.imported);
        EXPECT_EQ(store.m_keySyms.at("a")->m_strValue, "1");
        for (const auto& [name, entry] : store.m_keySyms) {
            ASSERT_FALSE(name.empty());
            ASSERT_EQ(name.find_first_of(" @=\t\r\n"), std::string::npos) << name;
            ASSERT_FALSE(entry->m_strValue.empty());
        }
        if (result.skipped) {
            ASSERT_GE(result.firstSkip.line, 1u);
            ASSERT_LE(result.firstSkip.text.size(), 60u);
        }
    }
}

// ---- import into a store ----------------------------------------------------

TEST(ImportKeySyms, TakesWhatAddTakesAndReportsTheFirstSkip)
{
    CKeySymStore store;
    Fill(store, Contents({"Greek", "Mine"}, {{"alpha", {"7e1", "Greek"}}}));
    const int mine = SetIndex(store, "Mine");
    const ImportResult result = ImportKeySyms(store, mine,
                                              "one : 1\n"
                                              "alpha : 2\n"       // another set has it
                                              "two words : 3\n"   // a blank
                                              "a@b : 4\n"
                                              "a=b : 5\n"         // the keysym file could not carry it
                                              "one : 6\n"         // this file gave it before
                                              "Alpha : 7\n");     // another name: case counts
    EXPECT_EQ(result.imported, 2u);
    EXPECT_EQ(result.skipped, 5u);
    EXPECT_EQ(result.firstSkip.line, 2u);
    EXPECT_EQ(result.firstSkip.reason, ImportSkipReason::NameTaken);
    EXPECT_EQ(result.firstSkip.name, "alpha");
    EXPECT_EQ(result.firstSkip.holder, "Greek");
    EXPECT_EQ(Snapshot(store), Contents({"Greek", "Mine"}, {{"alpha", {"7e1", "Greek"}}, {"one", {"1", "Mine"}},
                                                            {"Alpha", {"7", "Mine"}}}));

    struct Case {
        const char* file;
        ImportSkipReason reason;
        const char* name;
        const char* holder;
    } const cases[] = {
        {"x y : 1", ImportSkipReason::NameHasBlankOrAt, "x y", ""},
        {"x@y : 1", ImportSkipReason::NameHasBlankOrAt, "x@y", ""},
        {"[x : 1", ImportSkipReason::NameUnstorable, "[x", ""},
        {"z : 1\nz : 2", ImportSkipReason::NameTaken, "z", "Mine"},
    };
    for (const Case& c : cases) {
        CKeySymStore other;
        Fill(other, Contents({"Mine"}, {}));
        const ImportResult r = ImportKeySyms(other, 0, c.file);
        EXPECT_EQ(r.skipped, 1u) << c.file;
        EXPECT_EQ(r.firstSkip.reason, c.reason) << c.file;
        EXPECT_EQ(r.firstSkip.name, c.name) << c.file;
        EXPECT_EQ(r.firstSkip.holder, c.holder) << c.file;
    }
}

TEST(ImportKeySyms, OutOfMemoryLeavesTheStoreAsItWas)
{
    const StoreContents before = Contents({"A", "B"}, {{"a1", {"1", "A"}}, {"b1", {"2", "B"}}});
    std::string file;
    for (int i = 0; i < 50; ++i) {
        const std::string number = std::to_string(i);
        file.append("k").append(number).append(" : ").append(number).append("\n");
    }
    file += "a1 : 9\nbad line\n";
    for (long n = 0;; ++n) {
        CKeySymStore store;
        Fill(store, before);
        bool failed = false;
        FailAllocationsAfter(n);
        try {
            ImportKeySyms(store, 1, file);
        } catch (const std::bad_alloc&) {
            failed = true;
        }
        FailAllocationsAfter(-1);
        if (!failed) {
            EXPECT_EQ(store.m_keySyms.size(), 52u);
            break;
        }
        ASSERT_EQ(Snapshot(store), before) << "after " << n << " allocations";
    }
}

// ---- export, and back -------------------------------------------------------

TEST(ExportKeySyms, WritesXKeysymDbLinesAndReadsBackTheSame)
{
    CKeySymStore store;
    Fill(store, Contents({"Greek", "Other"}, {{"beta", {"7e2", "Greek"}}, {"Alpha", {"7c1", "Greek"}},
                                              {"alpha", {"07E1", "Greek"}}, {"x", {"1", "Other"}}}));
    const int greek = SetIndex(store, "Greek");
    const std::string text = FormatKeySymExport(store, greek, ExportFormat::XKeysymDb).text;
    EXPECT_EQ(text, "! Keysyms of the set Greek\nAlpha\t:7C1\nalpha\t:07E1\nbeta\t:7E2\n");

    const std::string dir = kstest::MakeTempDir("x11export");
    const std::string path = dir + "\\Greek.db";
    ASSERT_TRUE(WriteFileBeside(path, text));
    std::string bytes;
    ASSERT_TRUE(ReadFileOrNothing(path, bytes));
    EXPECT_EQ(bytes, text);

    // Beside the original every name is taken; into a new set after a delete, all come back.
    EXPECT_EQ(ImportKeySyms(store, greek, bytes).skipped, 3u);
    CKeySymStore fresh;
    Fill(fresh, Contents({"Other", "New"}, {{"x", {"1", "Other"}}}));
    const ImportResult result = ImportKeySyms(fresh, SetIndex(fresh, "New"), bytes);
    EXPECT_EQ(result.imported, 3u);
    EXPECT_EQ(result.skipped, 0u);
    EXPECT_EQ(Snapshot(fresh), Contents({"Other", "New"}, {{"x", {"1", "Other"}}, {"Alpha", {"7C1", "New"}},
                                                           {"alpha", {"07E1", "New"}}, {"beta", {"7E2", "New"}}}));

    // A target that cannot be replaced stays as it was, and no temporary file is left.
    HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(WriteFileBeside(path, "x"));
    CloseHandle(held);
    EXPECT_EQ(kstest::ReadFileBytes(path), bytes);
    EXPECT_TRUE(kstest::ListFiles(dir, "Kbs*.tmp").empty());
    EXPECT_FALSE(WriteFileBeside(dir + "\\no such folder\\x.db", "x"));
    EXPECT_FALSE(ReadFileOrNothing(dir + "\\missing.db", bytes));
    kstest::RemoveTree(dir);
}

TEST(ExportKeySyms, VendorHeadersOfXOrgImportExportAndImportBack)
{
    struct Header {
        const char* file;
        std::map<std::string, std::string> samples;
    } const headers[] = {
        {"XF86keysym.h", {{"XF86AudioMute", "1008FF12"}, {"XF86MacroRecordStart", "100812B0"}, {"XF86Switch_VT_1", "1008FE01"}}},
        {"Sunkeysym.h", {{"SunFA_Grave", "1005FF00"}, {"SunCompose", "0000FF20"}}},
        {"HPkeysym.h", {{"hpmute_acute", "100000A8"}, {"osfCopy", "1004FF02"}, {"Reset", "1000FF6C"}, {"mute_acute", "100000a8"}}},
        {"DECkeysym.h", {{"Dring_accent", "1000FEB0"}, {"DRemove", "1000FF00"}}},
        {"ap_keysym.h", {{"apLineDel", "1000FF00"}}},
    };
    CKeySymStore store;
    for (const Header& h : headers) store.m_setNames.push_back(h.file);
    store.SortSetNames();
    std::map<std::string, std::string> exported;
    for (const Header& h : headers) {
        std::string bytes;
        ASSERT_TRUE(ReadFileOrNothing(HeaderPath(h.file), bytes)) << h.file;
        // What the header defines, counted plainly: "#define" lines of a macro with "XK_" in it.
        size_t defined = 0;
        for (size_t at = bytes.find("\n#define"); at != std::string::npos; at = bytes.find("\n#define", at + 1)) {
            const size_t name = bytes.find_first_not_of(" \t", at + 8);
            const size_t end = bytes.find_first_of(" \t\n", name);
            if (bytes.substr(name, end - name).find("XK_") != std::string::npos) ++defined;
        }
        const int set = SetIndex(store, h.file);
        const ImportResult result = ImportKeySyms(store, set, bytes);
        EXPECT_EQ(result.imported, defined) << h.file;
        EXPECT_EQ(result.skipped, 0u) << h.file;
        for (const auto& [name, value] : h.samples) {
            ASSERT_TRUE(store.m_keySyms.count(name)) << h.file << ": " << name;
            EXPECT_EQ(store.m_keySyms.at(name)->m_strValue, value) << name;
        }
        exported[h.file] = FormatKeySymExport(store, set, ExportFormat::XKeysymDb).text;
        // The header export carries them all too, and reads back to the same keysyms.
        CKeySymStore again;
        again.m_setNames = {"again"};
        const ExportText header = FormatKeySymExport(store, set, ExportFormat::CHeader);
        EXPECT_TRUE(header.leftOut.empty()) << h.file;
        EXPECT_EQ(ImportKeySyms(again, 0, header.text).imported, result.imported) << h.file;
    }
    ASSERT_TRUE(HoldsInvariants(store));

    CKeySymStore back;
    back.m_setNames = store.m_setNames;
    for (const Header& h : headers)
        EXPECT_EQ(ImportKeySyms(back, SetIndex(back, h.file), exported[h.file]).skipped, 0u) << h.file;
    ASSERT_EQ(back.m_keySyms.size(), store.m_keySyms.size());
    for (const auto& [name, entry] : store.m_keySyms) {
        ASSERT_TRUE(back.m_keySyms.count(name)) << name;
        EXPECT_EQ(back.m_keySyms.at(name)->m_nSet, entry->m_nSet) << name;
        EXPECT_EQ(_stricmp(back.m_keySyms.at(name)->m_strValue.c_str(), entry->m_strValue.c_str()), 0) << name;
    }
}

// ---- what C and Xlib would read, in any encoding -------------------------------

namespace {

std::string Utf16(const std::string& utf8, bool little)
{
    const int count = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(count), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), count);
    std::string bytes = little ? "\xFF\xFE" : "\xFE\xFF";
    for (wchar_t c : wide) {
        const char low = static_cast<char>(c & 0xFF), high = static_cast<char>((c >> 8) & 0xFF);
        bytes += little ? low : high;
        bytes += little ? high : low;
    }
    return bytes;
}

}  // namespace

TEST(ImportKeySyms, AHeaderOfEveryCaseInEveryEncoding)
{
    // UTF-8 text; the code page is 1252, which has "é" but not "Ω".
    const std::string header =
        "/* Keysyms of every kind\r\n"                                  // 1
        "#define XK_in_comment 0x1\r\n"                                 // 2: commented out
        "*/\r\n"
        "#define XK_hex 0x1008ff12UL // trailing comment\r\n"           // 4
        "#define XK_dec 4660u\r\n"
        "#define XK_oct 0377L\r\n"
        "#define XK_paren ((0x7e1))\r\n"
        "#define XK_alias XK_dec\r\n"
        "#define XK_padded 0x000000001008FF13\r\n"                      // 9
        "#if 0\r\n"
        "#define XK_disabled 0x2\r\n"
        "#endif\r\n"
        "#if 1\r\n#else\r\n#define XK_else_of_one 0x3\r\n#endif\r\n"
        "#define /* odd */ XK_inside 0x10\r\n"                          // 17
        "#define XK_caf\xC3\xA9 0xe9\r\n"
        "#define XK_\xCE\xA9mega 0x7d9\r\n"                             // 19: not in the code page
        "#define XK_toolarge 0x100000000\r\n"
        "#define XK_early XK_later\r\n"                                 // 21: not defined yet
        "#define XK_later 0x5\r\n"
        "#define XK_alpha 0x7e1\r\n"                                    // 23: Greek has it
        "#define XK_abcdefghijabcdefghijabcdefghijk 0x1\r\n"
        "#define XK_nosymbol 0\r\n"                                     // 25: X cannot use it
        "#define XK_huge 0xFFFFFFFFU\r\n"
        "#define XK_nul 0x1";                                           // 27: a NUL follows
    const std::string file = header + std::string("\0\r\nnot : 1\r\n", 12);
    const std::pair<const char*, std::string> encodings[] = {
        {"UTF-8", file}, {"UTF-8 with a mark", "\xEF\xBB\xBF" + file},
        {"UTF-16LE", Utf16(file, true)}, {"UTF-16BE", Utf16(file, false)},
    };
    for (const auto& [encoding, data] : encodings) {
        CKeySymStore store;
        Fill(store, Contents({"Greek", "Mine"}, {{"alpha", {"7e1", "Greek"}}}));
        const ImportResult result = ImportKeySyms(store, SetIndex(store, "Mine"), data);
        EXPECT_EQ(Snapshot(store), Contents({"Greek", "Mine"}, {
            {"alpha", {"7e1", "Greek"}}, {"hex", {"1008ff12", "Mine"}}, {"dec", {"1234", "Mine"}},
            {"oct", {"FF", "Mine"}}, {"paren", {"7e1", "Mine"}}, {"alias", {"1234", "Mine"}},
            {"padded", {"1008FF13", "Mine"}}, {"inside", {"10", "Mine"}}, {"caf\xE9", {"e9", "Mine"}},
            {"later", {"5", "Mine"}}, {"nosymbol", {"0", "Mine"}}, {"huge", {"FFFFFFFF", "Mine"}}}))
            << encoding;
        std::vector<std::tuple<size_t, ImportSkipReason, std::string, std::string>> skips;
        for (const ImportSkip& skip : result.skips) skips.emplace_back(skip.line, skip.reason, skip.name, skip.text);
        EXPECT_EQ(skips, (std::vector<std::tuple<size_t, ImportSkipReason, std::string, std::string>>{
                             {19, ImportSkipReason::NameNotInCodePage, "?mega", ""},
                             {20, ImportSkipReason::ValueTooLarge, "toolarge", "0x100000000"},
                             {21, ImportSkipReason::ValueUnreadable, "early", "XK_later"},
                             {23, ImportSkipReason::NameTaken, "alpha", ""},
                             {24, ImportSkipReason::NameTooLong, "abcdefghijabcdefghijabcdefghijk", ""},
                             {27, ImportSkipReason::ValueUnreadable, "nul", std::string("0x1\0", 4)}}))
            << encoding;
        EXPECT_EQ(result.skipped, 6u);
        EXPECT_EQ(result.imported, 11u);
        EXPECT_EQ(result.unusable, (std::vector<std::string>{"nosymbol", "huge"})) << encoding;
    }

    // An XKeysymDB file in UTF-16 is read as text, not as bytes.
    CKeySymStore store;
    Fill(store, Contents({"Mine"}, {}));
    EXPECT_EQ(ImportKeySyms(store, 0, Utf16("! db\r\nna\xC3\xAFve : 1\r\nb : 2\r\n", true)).imported, 2u);
    EXPECT_EQ(store.m_keySyms.count("na\xEFve"), 1u);
    // Bytes that are not UTF-8 are the code page's.
    EXPECT_EQ(ImportKeySyms(store, 0, "caf\xE9 : 3\n").imported, 1u);
    EXPECT_EQ(store.m_keySyms.count("caf\xE9"), 1u);
}

// Every skip in words, control characters shown rather than cutting the message short;
// one and many worded apart.
TEST(InterchangeMessages, ReasonsAndCountsInWords)
{
    const StringFormatter format = [](unsigned id, const std::string& a, const std::string& b, const std::string& c) {
        return std::to_string(id) + "|" + a + "|" + b + "|" + c;
    };
    ImportSkip skip;
    skip.line = 4;
    skip.text = std::string("a\0b\x1F", 4);
    EXPECT_EQ(DescribeImportSkip(skip, format), "52|a\\x00b\\x1F||");
    skip.reason = ImportSkipReason::NameTooLong;
    skip.name = std::string("n\0", 2);
    EXPECT_EQ(DescribeImportSkip(skip, format), "53|n\\x00|30|");
    skip.reason = ImportSkipReason::NameTaken;
    skip.holder = "Greek";
    EXPECT_EQ(DescribeImportSkip(skip, format), std::to_string(IDS_KEYSYM_NAME_USED) + "|n\\x00|Greek|");

    ImportResult result;
    EXPECT_EQ(SkippedText(result, format), "");
    result.skipped = 1;
    result.firstSkip = skip;
    EXPECT_EQ(SkippedText(result, format).substr(0, 7), std::to_string(IDS_IMPORT_SKIPPED_ONE) + "|1|4|");
    result.skipped = 3;
    EXPECT_EQ(SkippedText(result, format).substr(0, 7), std::to_string(IDS_IMPORT_SKIPPED) + "|3|4|");
    EXPECT_EQ(ImportedText(1, "S", format), std::to_string(IDS_IMPORTED_ONE) + "|1|S|");
    EXPECT_EQ(ImportedText(0, "S", format), std::to_string(IDS_IMPORTED) + "|0|S|");

    std::vector<std::string> names;
    for (char c = 'a'; c < 'a' + 12; ++c) names.push_back(std::string(1, c));
    EXPECT_EQ(LeftOutText({"x"}, format), std::to_string(IDS_EXPORT_LEFT_OUT_ONE) + "|1|x|");
    EXPECT_EQ(LeftOutText(names, format), std::to_string(IDS_EXPORT_LEFT_OUT_MANY) + "|12|a, b, c, d, e, f, g, h, i, j, ...|");
    EXPECT_EQ(UnusableText({"z", "y"}, format), std::to_string(IDS_UNUSABLE_VALUE_MANY) + "|2|z, y|");
    EXPECT_EQ(UnusableText({}, format), "");
}

TEST(ExportKeySyms, EachFormatLeavesOutWhatItsReaderCannotTakeAndReadsBackTheRest)
{
    CKeySymStore store;
    store.m_setNames = {"S*/x", "Other"};
    for (const char* name : {"!bang", "#hash", "9lives", "a*b", "a-b", "a.b", "a:b", "caf\xE9", "ok_1"})
        store.m_keySyms.emplace(name, std::make_unique<CKeySymEntry>("1008ff12", 0));
    store.m_keySyms.emplace("badvalue", std::make_unique<CKeySymEntry>("zz", 0));
    store.m_keySyms.emplace("elsewhere", std::make_unique<CKeySymEntry>("1", 1));

    const ExportText db = FormatKeySymExport(store, 0, ExportFormat::XKeysymDb);
    EXPECT_EQ(db.text, "! Keysyms of the set S*/x\n9lives\t:1008FF12\na-b\t:1008FF12\ncaf\xE9\t:1008FF12\nok_1\t:1008FF12\n");
    EXPECT_EQ(db.leftOut, (std::vector<std::string>{"!bang", "#hash", "a*b", "a.b", "a:b", "badvalue"}));
    EXPECT_EQ(db.written, 4u);

    const ExportText header = FormatKeySymExport(store, 0, ExportFormat::CHeader);
    EXPECT_EQ(header.text, "/* Keysyms of the set S* /x */\n#define XK_ok_1 0x1008FF12\n");
    EXPECT_EQ(header.leftOut.size(), 9u);

    for (const ExportText* text : {&db, &header}) {
        CKeySymStore back;
        Fill(back, Contents({"New"}, {}));
        const ImportResult result = ImportKeySyms(back, 0, text->text);
        EXPECT_EQ(result.imported, text->written);
        EXPECT_EQ(result.skipped, 0u);
        for (const auto& [name, entry] : back.m_keySyms) EXPECT_EQ(entry->m_strValue, "1008FF12") << name;
    }
}
