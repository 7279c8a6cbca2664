// Shared by the locale tests: a private locale key, temporary folders and library handles.
#ifndef KEYSYM_TESTS_LOCALE_SUPPORT_H
#define KEYSYM_TESTS_LOCALE_SUPPORT_H

#include <windows.h>

#include <string>

// A locale key of the test's own under both roots, removed again by the destructor.
class TestLocaleKey {
 public:
  TestLocaleKey();
  ~TestLocaleKey();
  TestLocaleKey(const TestLocaleKey&) = delete;
  TestLocaleKey& operator=(const TestLocaleKey&) = delete;

  const char* path() const { return m_path.c_str(); }
  void Create(HKEY root);  // the key without values
  void SetText(HKEY root, const char* name, const std::string& text);
  void SetDword(HKEY root, const char* name, DWORD value);
  void SetBinary(HKEY root, const char* name, const std::string& bytes);

 private:
  void Set(HKEY root, const char* name, DWORD type, const void* data, DWORD size);
  std::string m_base;  // removed with everything under it
  std::string m_path;
};

// An empty folder under the temporary folder, removed with its contents by the destructor.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& path() const { return m_path; }  // ends with a backslash
  // Copies a file from the folder of the test program under another name.
  void CopyIn(const char* builtName, const std::string& name) const;

 private:
  std::string m_path;
};

// Changes the current folder for the life of the object.
class CurrentFolder {
 public:
  explicit CurrentFolder(const std::string& path);
  ~CurrentFolder();

 private:
  std::string m_previous;
};

// Owns a loaded library.
class Library {
 public:
  explicit Library(HMODULE module = nullptr) : m_module(module) {}
  ~Library() { if (m_module) FreeLibrary(m_module); }
  Library(const Library&) = delete;
  Library& operator=(const Library&) = delete;
  HMODULE get() const { return m_module; }

 private:
  HMODULE m_module;
};

// The folder of the test program, with a trailing backslash; the built libraries lie there.
std::string ProgramFolder();

// Loads a library beside the test program the way the module does.
HMODULE LoadBuiltLibrary(const char* name);

// The primary language that the library's dialogs are tagged with; 0 when they carry
// none or several.
LANGID PrimaryLanguageOf(HMODULE library);

#endif
