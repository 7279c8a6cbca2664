// The choice of the UI language from the locale values and the system's UI language.
#include "locale/ResourceLibrary.h"
#include "locale/ResourceLibrarySeams.h"
#include "LocaleTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

const HKEY HKCU = HKEY_CURRENT_USER;
const HKEY HKLM = HKEY_LOCAL_MACHINE;
const char* const kMethod = "Language Search Method";
const char* const kDefault = "Default UI Language";
const char* const kAvailable = "Available UI Languages";
const char* const kGlobal = "Global Default UI Language";

LANGID g_systemLanguage;
LANGID FakeSystemLanguage() { return g_systemLanguage; }

class ResolveUILanguageTest : public testing::Test {
 protected:
  void SetUp() override {
    g_systemLanguage = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
    m_previousSource = SetUILanguageSource(FakeSystemLanguage);
  }
  void TearDown() override { SetUILanguageSource(m_previousSource); }

  // The suffix, or "failed" with the buffer's text when the status is 1627.
  std::string Resolve(DWORD outLen = MAX_PATH) {
    char out[MAX_PATH + 1];
    strcpy(out, "untouched");
    DWORD status = ResolveUILanguage(m_key.path(), out, outLen);
    if (status == ERROR_FUNCTION_FAILED) return std::string("failed, ") + out;
    EXPECT_EQ(0u, status);
    return out;
  }

  TestLocaleKey m_key;
  UILanguageSource m_previousSource = nullptr;
};

TEST_F(ResolveUILanguageTest, FailsWithoutBufferOrWithoutAnyLanguage) {
  char out[8] = "x";
  EXPECT_EQ(1627u, ResolveUILanguage(m_key.path(), nullptr, 8));
  EXPECT_EQ(1627u, ResolveUILanguage(m_key.path(), out, 0));
  EXPECT_STREQ("x", out);
  // No key under either root: no list, so nothing can be chosen.
  EXPECT_EQ("failed, untouched", Resolve());
  // A list of separators only has no first token.
  m_key.SetText(HKLM, kAvailable, " \t  ");
  EXPECT_EQ("failed, untouched", Resolve());
}

TEST_F(ResolveUILanguageTest, MethodOneTakesTheDefaultLanguage) {
  m_key.SetText(HKCU, kMethod, "1");
  m_key.SetText(HKCU, kDefault, "fra");
  m_key.SetText(HKLM, kAvailable, "eng fra");
  EXPECT_EQ(".fra", Resolve());
  // Leading blanks and trailing text do not hide the number.
  m_key.SetText(HKCU, kMethod, "  1 (default language)");
  EXPECT_EQ(".fra", Resolve());
  // A default that is not installed falls through to the first installed language.
  m_key.SetText(HKCU, kDefault, "ita");
  EXPECT_EQ(".eng", Resolve());
}

TEST_F(ResolveUILanguageTest, EmptyOrMissingDefaultGoesToTheGlobalDefault) {
  m_key.SetText(HKCU, kMethod, "1");
  m_key.SetText(HKLM, kAvailable, "eng deu");
  m_key.SetText(HKLM, kGlobal, "deu");
  EXPECT_EQ(".deu", Resolve());
  m_key.SetText(HKCU, kDefault, "");
  EXPECT_EQ(".deu", Resolve());
}

TEST_F(ResolveUILanguageTest, OtherMethodsTakeTheSystemLanguage) {
  g_systemLanguage = MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN);
  m_key.SetText(HKCU, kDefault, "fra");
  m_key.SetText(HKLM, kAvailable, "eng fra deu");
  for (const char* method : {"0", "2", "abc", "-1", "", "11"}) {
    m_key.SetText(HKCU, kMethod, method);
    EXPECT_EQ(".deu", Resolve()) << "method \"" << method << "\"";
  }
  // A numeric 1 reads as the byte 0x01, not as the digit.
  m_key.SetDword(HKCU, kMethod, 1);
  EXPECT_EQ(".deu", Resolve());
}

TEST_F(ResolveUILanguageTest, SystemLanguagesOutsideTheTableAreNoLanguage) {
  g_systemLanguage = MAKELANGID(LANG_DUTCH, SUBLANG_DUTCH);
  m_key.SetText(HKLM, kAvailable, "fra eng");
  EXPECT_EQ(".fra", Resolve());
  m_key.SetText(HKLM, kAvailable, "fra NOLANGUAGE");
  EXPECT_EQ(".NOLANGUAGE", Resolve());
  // Only the primary language counts: Japanese of any region is "jpn".
  g_systemLanguage = MAKELANGID(LANG_JAPANESE, 0x3F);
  m_key.SetText(HKLM, kAvailable, "eng jpn");
  EXPECT_EQ(".jpn", Resolve());
}

TEST_F(ResolveUILanguageTest, OnlyTheFirstRootWhereTheKeyOpensIsAsked) {
  // The key opens under HKCU without the method: HKLM's method is not read.
  m_key.Create(HKCU);
  m_key.SetText(HKLM, kMethod, "1");
  m_key.SetText(HKLM, kDefault, "fra");
  m_key.SetText(HKLM, kAvailable, "deu eng fra");
  EXPECT_EQ(".eng", Resolve());

  // The list is read from HKLM first: a key there without the list hides HKCU's list.
  TestLocaleKey other;
  other.SetText(HKCU, kMethod, "1");
  other.SetText(HKCU, kDefault, "fra");
  other.SetText(HKCU, kAvailable, "eng fra");
  char out[MAX_PATH] = "";
  ASSERT_EQ(0u, ResolveUILanguage(other.path(), out, sizeof out));
  EXPECT_STREQ(".fra", out);
  other.SetText(HKLM, kGlobal, "fra");
  EXPECT_EQ(1627u, ResolveUILanguage(other.path(), out, sizeof out));
}

TEST_F(ResolveUILanguageTest, GlobalDefaultIsReadFromTheMachineOnly) {
  m_key.SetText(HKLM, kAvailable, "deu ita");
  m_key.SetText(HKCU, kGlobal, "ita");
  EXPECT_EQ(".deu", Resolve());
  m_key.SetText(HKLM, kGlobal, "ita");
  EXPECT_EQ(".ita", Resolve());
  // Present but empty: the empty text occurs in any list.
  m_key.SetText(HKLM, kGlobal, "");
  EXPECT_EQ(".", Resolve());
}

TEST_F(ResolveUILanguageTest, LanguagesAreFoundAsSubstringsOfTheList) {
  m_key.SetText(HKCU, kMethod, "1");
  m_key.SetText(HKCU, kDefault, "en");
  m_key.SetText(HKLM, kAvailable, "eng");
  EXPECT_EQ(".en", Resolve());
  // Case matters.
  m_key.SetText(HKCU, kDefault, "ENG");
  m_key.SetText(HKLM, kAvailable, "fra eng");
  EXPECT_EQ(".fra", Resolve());
  // A code that already has its dot keeps one.
  m_key.SetText(HKCU, kDefault, ".eng");
  m_key.SetText(HKLM, kAvailable, "fra .eng");
  EXPECT_EQ(".eng", Resolve());
}

TEST_F(ResolveUILanguageTest, FirstTokenOfTheListSkipsBlanksAndTabs) {
  g_systemLanguage = MAKELANGID(LANG_DUTCH, SUBLANG_DUTCH);
  m_key.SetText(HKLM, kAvailable, "  \t fra\teng");
  EXPECT_EQ(".fra", Resolve());
  m_key.SetText(HKLM, kAvailable, "\tesp\t\tita ");
  EXPECT_EQ(".esp", Resolve());
}

TEST_F(ResolveUILanguageTest, OverlongValuesCountAsMissing) {
  // 259 characters and the terminator fill the 260-byte buffer exactly.
  const std::string longest = "deu ita" + std::string(252, ' ');
  m_key.SetText(HKCU, kMethod, "1");
  m_key.SetText(HKCU, kDefault, longest);
  m_key.SetText(HKLM, kAvailable, longest);
  m_key.SetText(HKLM, kGlobal, "ita");
  EXPECT_EQ("." + longest, Resolve(MAX_PATH + 1));
  m_key.SetText(HKCU, kDefault, longest + " ");
  EXPECT_EQ(".ita", Resolve());
  m_key.SetText(HKLM, kAvailable, longest + " ");
  EXPECT_EQ("failed, untouched", Resolve());

  // Raw bytes without a terminator that fill the buffer leave no room for one.
  m_key.SetText(HKCU, kMethod, "0");
  m_key.SetBinary(HKLM, kAvailable, "deu" + std::string(257, ' '));
  EXPECT_EQ("failed, untouched", Resolve());
  m_key.SetBinary(HKLM, kAvailable, "deu" + std::string(256, ' '));
  EXPECT_EQ(".deu", Resolve());
}

TEST_F(ResolveUILanguageTest, SuffixThatDoesNotFitTheCallersBufferIsNoAnswer) {
  m_key.SetText(HKLM, kAvailable, "eng");
  EXPECT_EQ("failed, untouched", Resolve(4));
  EXPECT_EQ(".eng", Resolve(5));
}

TEST(EnsureLeadingDotTest, AddsOneDotWithinTheBuffer) {
  EnsureLeadingDot(nullptr, 10);
  char text[8] = "eng";
  EnsureLeadingDot(text, sizeof text);
  EXPECT_STREQ(".eng", text);
  EnsureLeadingDot(text, sizeof text);
  EXPECT_STREQ(".eng", text);
  char empty[4] = "";
  EnsureLeadingDot(empty, sizeof empty);
  EXPECT_STREQ(".", empty);
  // Cut, never overrun: "abcdef" in 7 bytes becomes ".abcde".
  char full[9] = "abcdefgh";
  EnsureLeadingDot(full, 7);
  EXPECT_STREQ(".abcde", full);
  EXPECT_EQ('h', full[7]);
}

}  // namespace
