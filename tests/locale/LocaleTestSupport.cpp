#include "LocaleTestSupport.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <atomic>
#include <vector>

namespace {

std::atomic<int> g_serial{0};

std::string Unique(const char* prefix) {
  return std::string(prefix) + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++g_serial);
}

}  // namespace

TestLocaleKey::TestLocaleKey()
    : m_base("Software\\KeysymLocaleTests\\" + Unique("key")), m_path(m_base + "\\Locale") {}

TestLocaleKey::~TestLocaleKey() {
  for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
    RegDeleteTreeA(root, m_base.c_str());
    RegDeleteKeyA(root, "Software\\KeysymLocaleTests");  // only when no other test holds a key
  }
}

void TestLocaleKey::Create(HKEY root) {
  HKEY key;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(root, m_path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                           &key, nullptr));
  RegCloseKey(key);
}

void TestLocaleKey::Set(HKEY root, const char* name, DWORD type, const void* data, DWORD size) {
  HKEY key;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(root, m_path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                           &key, nullptr));
  LONG status = RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
  RegCloseKey(key);
  ASSERT_EQ(ERROR_SUCCESS, status) << name;
}

void TestLocaleKey::SetText(HKEY root, const char* name, const std::string& text) {
  Set(root, name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

void TestLocaleKey::SetDword(HKEY root, const char* name, DWORD value) {
  Set(root, name, REG_DWORD, &value, sizeof value);
}

void TestLocaleKey::SetBinary(HKEY root, const char* name, const std::string& bytes) {
  Set(root, name, REG_BINARY, bytes.data(), static_cast<DWORD>(bytes.size()));
}

TempFolder::TempFolder() : m_path(kstest::MakeTempDir("locale") + "\\") {}

TempFolder::~TempFolder() { kstest::RemoveTree(m_path.substr(0, m_path.size() - 1)); }

void TempFolder::CopyIn(const char* builtName, const std::string& name) const {
  std::string from = ProgramFolder() + builtName;
  ASSERT_TRUE(CopyFileA(from.c_str(), (m_path + name).c_str(), FALSE)) << from << " to " << name;
}

CurrentFolder::CurrentFolder(const std::string& path) {
  char previous[MAX_PATH];
  GetCurrentDirectoryA(sizeof previous, previous);
  m_previous = previous;
  EXPECT_TRUE(SetCurrentDirectoryA(path.c_str())) << path;
}

CurrentFolder::~CurrentFolder() { SetCurrentDirectoryA(m_previous.c_str()); }

std::string ProgramFolder() {
  char path[MAX_PATH];
  DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  std::string folder(path, length);
  return folder.substr(0, folder.find_last_of("\\/") + 1);
}

HMODULE LoadBuiltLibrary(const char* name) {
  return LoadLibraryExA((ProgramFolder() + name).c_str(), nullptr,
                        LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
}

namespace {

BOOL CALLBACK CollectLanguage(HMODULE, LPCSTR, LPCSTR, WORD language, LONG_PTR found) {
  reinterpret_cast<std::vector<WORD>*>(found)->push_back(language);
  return TRUE;
}

}  // namespace

LANGID PrimaryLanguageOf(HMODULE library) {
  std::vector<WORD> languages;
  EnumResourceLanguagesA(library, reinterpret_cast<LPCSTR>(RT_DIALOG), MAKEINTRESOURCEA(106), CollectLanguage,
                         reinterpret_cast<LONG_PTR>(&languages));
  if (languages.size() != 1) return 0;
  return PRIMARYLANGID(languages[0]);
}
