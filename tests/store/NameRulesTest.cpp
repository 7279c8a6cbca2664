// The name rules under a double-byte code page: a trail byte that is "@", "[", "]" or a
// letter is part of its character, never a character of its own.
#include "store/NameRules.h"

#include "StoreTestFiles.h"

#include <gtest/gtest.h>

namespace {

std::string Hex(const std::string& s)
{
    std::string out;
    for (unsigned char c : s) {
        char hex[4];
        wsprintfA(hex, "%02X ", c);
        out += hex;
    }
    return out;
}

// Katakana, kanji and signs of code page 932 whose trail byte is "@", "[", "\", "]" or "|":
// ァ ゼ ソ ゾ ポ ー 機能 法 転.
const char* const kTrailByteNames[] = {"\x83\x40", "\x83\x5B", "\x83\x5C", "\x83\x5D", "\x83\x7C",
                                       "\x81\x5B", "\x8B\x40\x94\x5C", "\x96\x40", "\x93\x5D"};

TEST(DoubleByteNameRules, TrailBytesAreNoBracketsBlanksOrAts)
{
    if (!DoubleByteCodePage()) GTEST_SKIP() << "needs a double-byte ANSI code page (LANG=ja_JP.UTF-8)";
    struct Variant {
        const char* before;
        const char* after;
        bool setUsable, blankOrAt, keySymStorable;
    };
    const Variant variants[] = {
        {"", "", true, false, true},          {"[", "", false, false, false}, {"", "]", false, false, true},
        {" ", "\t", true, true, false},      {"a", "@", true, true, true},
    };
    for (const std::string name : kTrailByteNames) {
        for (const Variant& v : variants) {
            const std::string typed = v.before + name + v.after;
            const SetNameCheck check = CheckSetName({}, typed, -1);
            EXPECT_EQ(check.verdict, v.setUsable ? SetNameVerdict::Usable : SetNameVerdict::Unstorable) << Hex(typed);
            EXPECT_EQ(KeySymNameHasBlankOrAt(typed), v.blankOrAt) << Hex(typed);
            EXPECT_EQ(IsStorableKeySymName(typed), v.keySymStorable) << Hex(typed);
        }
        EXPECT_EQ(TrimSetName(" " + name + " \t"), name);
    }
    // ア and ヂ differ only in a trail byte "A" against "a"; Ａ and ａ are one letter in two cases.
    EXPECT_EQ(CheckSetName({"\x83\x41"}, "\x83\x61", -1).verdict, SetNameVerdict::Usable);
    EXPECT_EQ(CheckSetName({"\x82\x60"}, "\x82\x81", -1).verdict, SetNameVerdict::Taken);
}

}  // namespace
