// Every module we build carries a version resource with the project's version, as
// Explorer's Details tab and installers read it.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

namespace {

const char* const kModules[] = {
#include "VersionedModules.inc"
};

std::string ProgramFolder() {
  char path[MAX_PATH];
  DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, length);
  return folder.substr(0, folder.find_last_of('\\') + 1);
}

class VersionResourceTest : public testing::TestWithParam<const char*> {};

TEST_P(VersionResourceTest, CarriesTheProjectVersion) {
  const std::string file = ProgramFolder() + GetParam();
  DWORD ignored = 0;
  DWORD size = GetFileVersionInfoSizeA(file.c_str(), &ignored);
  ASSERT_NE(0u, size) << file << ": error " << GetLastError();
  std::vector<char> info(size);
  ASSERT_TRUE(GetFileVersionInfoA(file.c_str(), 0, size, info.data()));

  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(static_cast<DWORD>(MAKELONG(KS_VERSION_MINOR, KS_VERSION_MAJOR)), fixed->dwFileVersionMS);
  EXPECT_EQ(static_cast<DWORD>(MAKELONG(0, KS_VERSION_PATCH)), fixed->dwFileVersionLS);
  EXPECT_EQ(fixed->dwFileVersionMS, fixed->dwProductVersionMS);

  // The strings sit in the block the translation names.
  WORD* translation = nullptr;
  ASSERT_TRUE(VerQueryValueA(info.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                             &length));
  ASSERT_GE(length, 4u);
  char block[64];
  wsprintfA(block, "\\StringFileInfo\\%04X%04X\\", translation[0], translation[1]);
  auto value = [&](const char* name) {
    char* text = nullptr;
    UINT chars = 0;
    if (!VerQueryValueA(info.data(), (std::string(block) + name).c_str(), reinterpret_cast<void**>(&text), &chars))
      return std::string();
    return std::string(text);
  };
  EXPECT_EQ(KS_VERSION, value("FileVersion"));
  EXPECT_EQ(KS_VERSION, value("ProductVersion"));
  EXPECT_EQ("Keysym Editor", value("ProductName"));
  EXPECT_FALSE(value("FileDescription").empty());
  EXPECT_EQ(GetParam(), value("OriginalFilename"));
}

INSTANTIATE_TEST_SUITE_P(Modules, VersionResourceTest, testing::ValuesIn(kModules),
                         [](const testing::TestParamInfo<const char*>& info) {
                           std::string name = info.param;
                           for (char& c : name) {
                             if (!isalnum(static_cast<unsigned char>(c))) c = '_';
                           }
                           return name;
                         });

}  // namespace
