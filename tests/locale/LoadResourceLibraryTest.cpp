// Loading the resource library: the language variant, the plain fallback, and nothing from
// anywhere but the module's own folder.
#include "locale/ResourceLibrary.h"
#include "locale/ResourceLibrarySeams.h"
#include "LocaleTestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const HKEY HKCU = HKEY_CURRENT_USER;
const HKEY HKLM = HKEY_LOCAL_MACHINE;

LANGID g_systemLanguage;
LANGID FakeSystemLanguage() { return g_systemLanguage; }

const int kPlantedMarker = 999;

bool IsPlanted(HMODULE library) {
  char text[16];
  return library && LoadStringA(library, kPlantedMarker, text, sizeof text) > 0;
}

class LoadResourceLibraryTest : public testing::Test {
 protected:
  void SetUp() override {
    g_systemLanguage = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
    m_previousSource = SetUILanguageSource(FakeSystemLanguage);
  }
  void TearDown() override { SetUILanguageSource(m_previousSource); }

  void ChooseLanguage(const char* code) {
    m_key.SetText(HKCU, "Language Search Method", "1");
    m_key.SetText(HKCU, "Default UI Language", code);
    m_key.SetText(HKLM, "Available UI Languages", std::string("eng ") + code);
  }

  // The primary language of what was loaded from the folder, or -1 when nothing was.
  int LanguageLoaded(const char* baseName) {
    Library library(LoadResourceLibraryFrom(m_folder.path().c_str(), m_key.path(), baseName));
    return library.get() ? PrimaryLanguageOf(library.get()) : -1;
  }

  TestLocaleKey m_key;
  TempFolder m_folder;
  UILanguageSource m_previousSource = nullptr;
};

TEST_F(LoadResourceLibraryTest, VariantIsPreferredAndThePlainLibraryIsTheFallback) {
  m_folder.CopyIn("tavrel.nls", "tavrel.nls");
  m_folder.CopyIn("tavrel.fra.nls", "tavrel.fra.nls");
  ChooseLanguage("fra");
  EXPECT_EQ(LANG_FRENCH, LanguageLoaded("tavrel.nls"));
  ChooseLanguage("deu");
  EXPECT_EQ(LANG_ENGLISH, LanguageLoaded("tavrel.nls"));
  // No language can be chosen at all.
  m_key.SetText(HKLM, "Available UI Languages", "");
  EXPECT_EQ(LANG_ENGLISH, LanguageLoaded("tavrel.nls"));
}

TEST_F(LoadResourceLibraryTest, NullWhenNeitherLoads) {
  ChooseLanguage("fra");
  EXPECT_EQ(-1, LanguageLoaded("tavrel.nls"));
  EXPECT_EQ(-1, LanguageLoaded(nullptr));
  EXPECT_EQ(-1, LanguageLoaded(""));
  // A file that is no library is not loaded either.
  HANDLE file = CreateFileA((m_folder.path() + "tavrel.nls").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, file);
  DWORD written;
  WriteFile(file, "[main]\r\n", 8, &written, nullptr);
  CloseHandle(file);
  EXPECT_EQ(-1, LanguageLoaded("tavrel.nls"));
}

TEST_F(LoadResourceLibraryTest, VariantNameIsCutAtTheFirstNlsInLowerCase) {
  ChooseLanguage("fra");
  m_folder.CopyIn("tavrel.nls", "tavrel.nls");
  m_folder.CopyIn("tavrel.fra.nls", "tavrel.fra.nls");
  EXPECT_EQ(LANG_FRENCH, LanguageLoaded("TAVREL.NLS"));

  m_folder.CopyIn("tavrel.nls", "a.nls.old");
  EXPECT_EQ(LANG_ENGLISH, LanguageLoaded("a.nls.old"));
  m_folder.CopyIn("tavrel.fra.nls", "a.fra.nls");
  EXPECT_EQ(LANG_FRENCH, LanguageLoaded("a.nls.old"));

  // Without ".nls" there is no variant, whatever lies in the folder.
  m_folder.CopyIn("tavrel.nls", "tavrel.dll");
  m_folder.CopyIn("tavrel.fra.nls", "tavrel.dll.fra.nls");
  m_folder.CopyIn("tavrel.fra.nls", "tavrel.dll.fra");
  EXPECT_EQ(LANG_ENGLISH, LanguageLoaded("tavrel.dll"));
}

TEST_F(LoadResourceLibraryTest, EmptyGlobalDefaultTriesTheDotAloneFirst) {
  g_systemLanguage = MAKELANGID(LANG_DUTCH, SUBLANG_DUTCH);
  m_key.SetText(HKLM, "Available UI Languages", "eng");
  m_key.SetText(HKLM, "Global Default UI Language", "");
  m_folder.CopyIn("tavrel.nls", "tavrel.nls");
  EXPECT_EQ(LANG_ENGLISH, LanguageLoaded("tavrel.nls"));
  m_folder.CopyIn("tavrel.fra.nls", "tavrel..nls");
  EXPECT_EQ(LANG_FRENCH, LanguageLoaded("tavrel.nls"));
}

TEST_F(LoadResourceLibraryTest, NothingOutsideTheFolderIsLoaded) {
  // Libraries in the current folder are not found.
  TempFolder current;
  current.CopyIn("tavrel.nls", "tavrel.nls");
  current.CopyIn("tavrel.fra.nls", "tavrel.fra.nls");
  CurrentFolder inCurrent(current.path());
  ChooseLanguage("fra");
  EXPECT_EQ(-1, LanguageLoaded("tavrel.nls"));
  Library noFolder(LoadResourceLibraryFrom("", m_key.path(), "tavrel.nls"));
  EXPECT_EQ(nullptr, noFolder.get());

  // Neither the base name nor a language read from the registry can lead elsewhere.
  ASSERT_TRUE(CreateDirectoryA((m_folder.path() + "sub").c_str(), nullptr));
  m_folder.CopyIn("tavrel.fra.nls", "evil.nls");
  m_folder.CopyIn("tavrel.fra.nls", "tavrel.nls");
  m_folder.CopyIn("tavrel.nls", "sub\\tavrel.nls");
  ChooseLanguage("\\..\\..\\evil");
  Library library(LoadResourceLibraryFrom((m_folder.path() + "sub").c_str(), m_key.path(), "tavrel.nls"));
  EXPECT_EQ(LANG_ENGLISH, PrimaryLanguageOf(library.get()));
  Library escaped(LoadResourceLibraryFrom((m_folder.path() + "sub").c_str(), m_key.path(), "..\\tavrel.nls"));
  EXPECT_EQ(nullptr, escaped.get());
}

TEST(LoadResourceLibraryFromModuleFolder, IgnoresLibrariesPlantedInTheCurrentFolder) {
  char folder[MAX_PATH];
  ASSERT_TRUE(GetResourceFolder(folder, sizeof folder));
  EXPECT_EQ(0, lstrcmpiA(ProgramFolder().c_str(), folder));

  // Whatever language the machine chooses, the planted library carries its name.
  TempFolder planted;
  for (const char* name : {"tavrel.nls", "tavrel.eng.nls", "tavrel.fra.nls", "tavrel.esp.nls", "tavrel.deu.nls",
                           "tavrel.ita.nls", "tavrel.jpn.nls", "tavrel.prt.nls", "tavrel.NOLANGUAGE.nls",
                           "tavrel..nls"}) {
    planted.CopyIn("locale_planted.nls", name);
  }
  CurrentFolder inPlanted(planted.path());
  Library library(LoadResourceLibrary("tavrel.nls"));
  ASSERT_NE(nullptr, library.get());
  EXPECT_FALSE(IsPlanted(library.get()));
  Library control(LoadLibraryExA((planted.path() + "tavrel.nls").c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
  EXPECT_TRUE(IsPlanted(control.get()));
}

}  // namespace
