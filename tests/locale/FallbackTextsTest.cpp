// A resource library made to the published interface (strings 1-14) lacks the strings the
// module added since; the module's own English texts stand in for them.
#include "LocaleTestSupport.h"
#include "locale/Strings.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string LoadAnsi(HMODULE library, UINT id) {
  char text[1024];
  int length = LoadStringA(library, id, text, sizeof text);
  return std::string(text, length > 0 ? length : 0);
}

TEST(FallbackTexts, StringsALibraryLacksComeInEnglishFromTheModule) {
  const DWORD asData = LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE;
  Library module(LoadLibraryExA((ProgramFolder() + "TAVREL.dll").c_str(), nullptr, asData));
  Library published(LoadLibraryExA((ProgramFolder() + "locale_published.nls").c_str(), nullptr, asData));
  Library english(LoadLibraryExA((ProgramFolder() + "tavrel.nls").c_str(), nullptr, asData));
  ASSERT_TRUE(module.get() && published.get() && english.get());
  SetStringSources(published.get(), module.get());
  for (UINT id = IDS_CONFIRM_DELETE_KEYSYM; id <= IDS_NO_DIALOGS; ++id) {
    if (id == 9) continue;  // no such string
    SCOPED_TRACE(testing::Message() << "string " << id);
    if (id <= IDS_RENAME_SET_TITLE) {
      EXPECT_EQ(std::to_string(id), LoadResString(id)) << "the library's own text";
    } else {
      EXPECT_EQ(LoadAnsi(english.get(), id), LoadResString(id));
      EXPECT_FALSE(LoadResString(id).empty());
    }
  }
  SetStringSources(nullptr, nullptr);
}

}  // namespace
