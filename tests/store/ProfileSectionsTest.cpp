// Our section reader against the platform's, section by section, on real files.
#include "store/ProfileSections.h"

#include "StoreTestFiles.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

namespace {

std::string Printable(const std::string& s)
{
    std::string out;
    for (unsigned char c : s) {
        if (c >= 0x20 && c < 0x7F && c != '\\') {
            out.push_back(static_cast<char>(c));
        } else {
            char hex[8];
            wsprintfA(hex, "\\x%02X", c);
            out += hex;
        }
    }
    return out;
}

// What the platform hands out for a section: its bytes up to and including the
// final NUL, and its result.
struct PlatformSection {
    std::string block;
    DWORD result;
};

PlatformSection ReadWithPlatform(const std::string& path, const std::string& name, size_t fileSize)
{
    const DWORD size = static_cast<DWORD>(2 * fileSize + 64);
    std::string buffer(size, '\x7F');
    const DWORD n = GetPrivateProfileSectionA(name.c_str(), buffer.data(), size, path.c_str());
    EXPECT_LT(n, size - 2) << "buffer too small for section " << Printable(name);
    return {buffer.substr(0, n == 0 ? 2 : n + 1), n};
}

// Section names the platform sees in the file.
std::vector<std::string> PlatformSectionNames(const std::string& path, size_t fileSize)
{
    const DWORD size = static_cast<DWORD>(2 * fileSize + 64);
    std::string buffer(size, '\0');
    const DWORD n = GetPrivateProfileSectionNamesA(buffer.data(), size, path.c_str());
    std::vector<std::string> names;
    for (size_t i = 0; i < n;) {
        const std::string name(buffer.c_str() + i);
        names.push_back(name);
        i += name.size() + 1;
    }
    return names;
}

class SectionReaderTest : public ::testing::Test {
protected:
    // Writes `bytes` to a new file and compares both readers for every section
    // of the file, their names in other cases, and the names in `more`.
    void ExpectSameAsPlatform(const std::string& bytes, std::vector<std::string> more = {})
    {
        const std::string path = m_folder.NewFile("odd");
        WriteBytes(path, bytes);
        const ProfileSections ours = ProfileSections::FromFile(path);

        std::vector<std::string> names = PlatformSectionNames(path, bytes.size());
        const size_t listed = names.size();
        for (size_t i = 0; i < listed; ++i) {
            std::string upper = names[i], lower = names[i];
            CharUpperBuffA(upper.data(), static_cast<DWORD>(upper.size()));
            CharLowerBuffA(lower.data(), static_cast<DWORD>(lower.size()));
            names.push_back(upper);
            names.push_back(lower);
            names.push_back(names[i] + "x");
            names.push_back(" " + names[i]);
        }
        names.insert(names.end(), more.begin(), more.end());
        names.push_back("not there");
        names.push_back("");
        for (const std::string& name : names) {
            const PlatformSection platform = ReadWithPlatform(path, name, bytes.size());
            const std::string block = ours.Block(name);
            EXPECT_EQ(Printable(platform.block), Printable(block))
                << "section [" << Printable(name) << "] of file " << Printable(bytes.substr(0, 400));
            EXPECT_EQ(platform.result, block.size() == 2 && block[0] == '\0' ? 0 : block.size() - 1)
                << "section [" << Printable(name) << "]";
            if (HasFailure()) return;
        }
    }

    TempFolder m_folder;
};

TEST_F(SectionReaderTest, BlanksAroundNamesValuesAndHeaders)
{
    ExpectSameAsPlatform("[s]\r\n  a  =  1  \r\n\tb\t=\t2\t\r\nc= two words \r\n d e = f g \r\n");
    ExpectSameAsPlatform("  [s]  \r\na=1\r\n[ t ]\r\nb=2\r\n[u] trailing\r\nc=3\r\n", {"t", " t "});
    ExpectSameAsPlatform("[s]\r\na\x0B=\x0C" "1\x1A\r\n\x1A" "b=2\r\n\x1A\x1A\r\n");
    ExpectSameAsPlatform("[s]\r\na=\r\nb=   \r\n=\r\n  =  \r\nc\r\n");
}

TEST_F(SectionReaderTest, CommentsAndLinesWithoutEquals)
{
    ExpectSameAsPlatform("[s]\r\n;c=1\r\n  ;indented\r\na=;not a comment\r\nword\r\n two words \r\n#hash=1\r\n");
    ExpectSameAsPlatform(";before=1\r\nloose\r\n[s]\r\na=1\r\n");
}

TEST_F(SectionReaderTest, LinesStartingWithEquals)
{
    ExpectSameAsPlatform("[s]\r\n=a\r\n=b\r\nc=1\r\n=d\r\n;x\r\n=e\r\nword\r\n=f\r\n=g\r\n");
    ExpectSameAsPlatform("[main]\r\n=1\r\n=1\r\nA=1\r\n[]\r\nk=1\r\n");
}

TEST_F(SectionReaderTest, RepeatedSectionsAndCase)
{
    ExpectSameAsPlatform("[s]\r\na=1\r\n[S]\r\nb=2\r\n[s]\r\nc=3\r\n[Main]\r\nx=1\r\n[main]\r\ny=1\r\n");
    ExpectSameAsPlatform("[Greek]\r\nalpha=1\r\n[GREEK]\r\nbeta=2\r\n[greek]\r\n", {"gReEk"});
}

TEST_F(SectionReaderTest, OddHeaders)
{
    ExpectSameAsPlatform("[a]b]\r\nk=1\r\n[noclose\r\nm=2\r\n[[x]]\r\nn=3\r\n[]\r\no=4\r\n[x=y]\r\np=5\r\n",
                         {"a]b", "[x]", "x=y", "noclose"});
}

TEST_F(SectionReaderTest, LineEnds)
{
    const std::string lines[] = {"[s]", "a=1", "b = 2 ", "[t]", "c=3"};
    const char* ends[] = {"\r\n", "\n", "\r", "\r\r\n", "\n\r", "\r\n\r\n"};
    for (const char* end : ends) {
        std::string bytes;
        for (const std::string& line : lines) bytes += line + end;
        ExpectSameAsPlatform(bytes);
        bytes.resize(bytes.size() - strlen(end));   // no end on the last line
        ExpectSameAsPlatform(bytes);
    }
}

TEST_F(SectionReaderTest, ByteOrderMarksAndNuls)
{
    ExpectSameAsPlatform("\xEF\xBB\xBF[s]\r\na=1\r\n");
    ExpectSameAsPlatform("\xEF\xBB\xBF");
    // Names outside the ANSI code page, and a full-width "=" that must not split a line.
    ExpectSameAsPlatform("\xEF\xBB\xBF[\xC3\xA9t\xC3\xA9]\r\nna\xC3\xAFve=caf\xC3\xA9 \xE2\x82\xAC\r\n[\xCE\xB1]\r\n"
                         "k=1\r\n[\xEF\xBC\x9D]\r\na\xEF\xBC\x9D" "b\r\n[?]\r\nq=1\r\n",
                         {"\xE9t\xE9", "\xC9T\xC9", "?", "=", "a"});
    std::string utf16le("\xFF\xFE", 2), utf16be("\xFE\xFF", 2);
    for (char c : std::string("[s]\r\na = 1\r\n[t]\r\nb=2\r\n")) {
        utf16le += c, utf16le += '\0';
        utf16be += '\0', utf16be += c;
    }
    ExpectSameAsPlatform(utf16le);
    ExpectSameAsPlatform(utf16be);
    ExpectSameAsPlatform(std::string("[s]\r\na\0b=1\r\nc=2\0" "3\r\n\0=4\r\n=5\r\n\0\r\n[t\0u]\r\nd=1\r\n", 43), {"t"});
}

TEST_F(SectionReaderTest, EveryByteAsBlankOrCase)
{
    // Which bytes are trimmed, and which fold to which for section names.
    if (DoubleByteCodePage()) GTEST_SKIP() << "lone lead bytes are no characters here";
    std::string bytes = "[s]\r\n";
    for (int b = 1; b < 256; ++b) {
        if (b == '\r' || b == '\n') continue;
        const char c = static_cast<char>(b);
        bytes += std::string("k") + c + "=" + c + "v" + c + "\r\n";
        bytes += std::string(1, c) + "m=n" + c + "\r\n";
    }
    std::vector<std::string> queries;
    for (int b = 32; b < 256; ++b) {
        if (b == ']') continue;
        bytes += "[x";
        bytes += static_cast<char>(b);
        bytes += "]\r\nk=" + std::to_string(b) + "\r\n";
    }
    for (int b = 1; b < 256; ++b) queries.push_back(std::string("x") += static_cast<char>(b));
    ExpectSameAsPlatform(bytes, queries);
}

TEST_F(SectionReaderTest, LongLinesAndSections)
{
    std::string bytes = "[s]\r\n" + std::string(100000, 'k') + "=" + std::string(100000, 'v') + "\r\n[t]\r\n";
    for (int i = 0; i < 3000; ++i) bytes += "key" + std::to_string(i) + "=value " + std::to_string(i) + "\r\n";
    ExpectSameAsPlatform(bytes);   // well past 3,072 and 32,767 characters
}

TEST_F(SectionReaderTest, RandomFiles)
{
    // Files made mostly of the characters that give a profile its structure.
    if (DoubleByteCodePage()) GTEST_SKIP() << "lone lead bytes are no characters here";
    const std::string alphabet = std::string("[]=; \t\r\n\x0B\x1A" "abAB\xC9\xE9\x8A\x9A_", 20) + std::string(1, '\0');
    std::mt19937 random(20240611);
    for (int file = 0; file < 120; ++file) {
        std::string bytes;
        const int length = static_cast<int>(random() % 400);
        for (int i = 0; i < length; ++i) bytes += alphabet[random() % alphabet.size()];
        std::vector<std::string> more = {"a", "A", "b", "ab", "[", "a b", "\xC9", "\xE9"};
        ExpectSameAsPlatform(bytes, more);
        if (HasFailure()) return;
    }
}

TEST_F(SectionReaderTest, GeneratedKeysymFiles)
{
    std::mt19937 random(7);
    std::string bytes = "[main]\r\n";
    std::vector<std::string> sets;
    for (int s = 0; s < 40; ++s) sets.push_back("Set " + std::to_string(random() % 1000));
    for (const std::string& set : sets) bytes += set + "=1\r\n";
    for (const std::string& set : sets) {
        bytes += "[" + set + "]\r\n";
        for (int k = 0, n = static_cast<int>(random() % 60); k < n; ++k)
            bytes += "sym" + std::to_string(random()) + "=" + std::to_string(random() % 65536) + "\r\n";
    }
    ExpectSameAsPlatform(bytes);
}

// Characters of code page 932 whose trail byte is a character that gives a profile its
// structure or folds: "@", "A"-"Z" and "a"-"z", "[", "\", "]", "|"; and a few more that
// the editor's users type ("ー", "機", "転", the full-width space, "Ａ" and "ａ").
std::vector<std::string> TrailByteCharacters()
{
    std::vector<std::string> chars;
    for (char trail : std::string("@[\\]|") + "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")
        chars.push_back(std::string("\x83") + trail);
    for (const char* c : {"\x81\x5B", "\x8B\x40", "\x93\x5D", "\x81\x40", "\x82\x60", "\x82\x81"})
        chars.push_back(c);
    return chars;
}

TEST_F(SectionReaderTest, DoubleByteNamesInHeadersKeysAndComments)
{
    if (!DoubleByteCodePage()) GTEST_SKIP() << "needs a double-byte ANSI code page (LANG=ja_JP.UTF-8)";
    const std::vector<std::string> chars = TrailByteCharacters();
    std::string bytes = "[main]\r\n";
    std::vector<std::string> names;
    for (const std::string& c : chars) {
        names.push_back(c);
        names.push_back("x" + c + "y");
        bytes += c + "=1\r\n;" + c + "=comment\r\n";
    }
    // Every name as a section of its own, with keys, values and comments made of it.
    for (const std::string& name : names)
        bytes += "[" + name + "]\r\n" + name + "=" + name + "\r\nk" + name + " = v" + name + "=\r\n;" + name + "\r\n";
    // A comment after a header that holds "]" as a trail byte; a line that only seems to
    // close a header; a header with a comment, then the same header again.
    bytes += "[Greek] ; \x93\x5D\x91\x97\x97\x70\r\nalpha=3b1\r\n"
             "[\x83\x5D\r\nstray=1\r\n"
             "[\x83\x5C] ; \x83\x5D\r\nfirst=1\r\n[\x83\x5C]\r\nsecond=1\r\n";
    names.insert(names.end(), {"Greek", "\x83\x5C", "\x83\x5D", "Greek] ; \x93"});
    ExpectSameAsPlatform(bytes, names);
}

TEST_F(SectionReaderTest, DoubleByteRandomFiles)
{
    if (!DoubleByteCodePage()) GTEST_SKIP() << "needs a double-byte ANSI code page (LANG=ja_JP.UTF-8)";
    std::vector<std::string> tokens = TrailByteCharacters();
    const size_t characters = tokens.size();
    for (char c : std::string("[]=; \t\r\naAzZ@|\\"))
        for (int i = 0; i < 4; ++i) tokens.emplace_back(1, c);
    std::mt19937 random(932);
    for (int file = 0; file < 120; ++file) {
        std::string bytes;
        const int length = static_cast<int>(random() % 300);
        for (int i = 0; i < length; ++i) bytes += tokens[random() % tokens.size()];
        std::vector<std::string> more = {"a", "A", "@", "|"};
        for (size_t i = 0; i < 6; ++i) more.push_back(tokens[random() % characters] + tokens[random() % characters]);
        ExpectSameAsPlatform(bytes, more);
        if (HasFailure()) return;
    }
}

TEST_F(SectionReaderTest, MissingAndEmptyFiles)
{
    const ProfileSections none = ProfileSections::FromFile(m_folder.File("absent.kbs"));
    EXPECT_TRUE(none.Find("main").empty());
    EXPECT_EQ(std::string(2, '\0'), none.Block("main"));
    ExpectSameAsPlatform("");
    ExpectSameAsPlatform("\r\n\r\n   \r\n");
}

}  // namespace
