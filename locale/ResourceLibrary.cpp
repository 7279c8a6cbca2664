#include "locale/ResourceLibrary.h"
#include "locale/ResourceLibrarySeams.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

const char kLocaleKey[] = "Software\\Varrowin\\Tessaline\\11.00\\Locale";

namespace {

constexpr DWORD kNoLanguage = ERROR_FUNCTION_FAILED;
constexpr size_t kTextSize = MAX_PATH;

struct LanguageName {
  LONG primaryId;
  const char* code;
};

// Row 0 also answers for a language that no row names.
constexpr LanguageName kLanguageNames[] = {
    {LANG_NEUTRAL, "NOLANGUAGE"}, {LANG_ENGLISH, "eng"},  {LANG_FRENCH, "fra"},
    {LANG_SPANISH, "esp"},        {LANG_GERMAN, "deu"},   {LANG_ITALIAN, "ita"},
    {LANG_JAPANESE, "jpn"},       {LANG_PORTUGUESE, "prt"},
};

const char* LanguageCode(LANGID language) {
  for (const LanguageName& row : kLanguageNames) {
    if (row.primaryId == PRIMARYLANGID(language)) return row.code;
  }
  return kLanguageNames[0].code;
}

LANGID SystemUILanguage() {
  using GetUILanguage = LANGID(WINAPI*)();
  HMODULE kernel = LoadLibraryA("kernel32.dll");
  auto get = kernel ? reinterpret_cast<GetUILanguage>(
                          reinterpret_cast<void*>(GetProcAddress(kernel, "GetUserDefaultUILanguage")))
                    : nullptr;
  LANGID language = get ? get() : GetUserDefaultLangID();
  if (kernel) FreeLibrary(kernel);
  return language;
}

UILanguageSource g_uiLanguageSource = nullptr;

// Reads one locale value as text. Only the first root under which the key opens is asked.
// Whatever type the value has, its bytes are read as text up to the first NUL; a value that
// does not fit the buffer with its terminator counts as missing. out is untouched on failure.
bool ReadLocaleText(HKEY first, HKEY second, const char* subKey, const char* name,
                    char (&out)[kTextSize]) {
  if (!subKey) return false;
  HKEY key;
  if (RegOpenKeyExA(first, subKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS &&
      (!second || RegOpenKeyExA(second, subKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)) {
    return false;
  }
  char buffer[kTextSize];
  DWORD size = sizeof buffer;
  LONG status = RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS || size > sizeof buffer) return false;
  size_t length = strnlen(buffer, size);
  if (length >= kTextSize) return false;
  memcpy(out, buffer, length);
  out[length] = '\0';
  return true;
}

bool Occurs(const char* text, const char* list) { return strstr(list, text) != nullptr; }

// A bare file name, so that nothing read from the registry can lead out of the folder.
bool IsPlainFileName(const char* name) {
  return name && name[0] && !strpbrk(name, "\\/:") && strcmp(name, ".") != 0 &&
         strcmp(name, "..") != 0;
}

// "TAVREL.NLS" with ".eng" gives "tavrel.eng.nls"; anything after ".nls" is dropped.
// False when the name holds no ".nls" or the result does not fit.
bool LanguageVariantName(const char* baseName, const char* suffix, char (&out)[MAX_PATH]) {
  char lower[MAX_PATH];
  size_t length = strnlen(baseName, sizeof lower);
  if (length >= sizeof lower) return false;
  for (size_t i = 0; i <= length; ++i) {
    char c = baseName[i];
    lower[i] = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  }
  const char* nls = strstr(lower, ".nls");
  if (!nls) return false;
  int written = snprintf(out, sizeof out, "%.*s%s.nls", static_cast<int>(nls - lower), lower, suffix);
  return written > 0 && static_cast<size_t>(written) < sizeof out;
}

HMODULE LoadFromFolder(const char* folder, const char* fileName) {
  if (!IsPlainFileName(fileName)) return nullptr;
  char path[MAX_PATH];
  size_t folderLength = strlen(folder);
  bool separated = folder[folderLength - 1] == '\\' || folder[folderLength - 1] == '/';
  const char* separator = separated ? "" : "\\";
  int written = snprintf(path, sizeof path, "%s%s%s", folder, separator, fileName);
  if (written <= 0 || static_cast<size_t>(written) >= sizeof path) return nullptr;
  // As an image resource: the library's code never runs, its resources are all we need.
  return LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
}

}  // namespace

UILanguageSource SetUILanguageSource(UILanguageSource source) {
  UILanguageSource previous = g_uiLanguageSource;
  g_uiLanguageSource = source;
  return previous;
}

void EnsureLeadingDot(char* text, size_t len) {
  if (!text || len < 2 || text[0] == '.') return;
  size_t kept = strnlen(text, len - 1);
  if (kept > len - 2) kept = len - 2;
  memmove(text + 1, text, kept);
  text[0] = '.';
  text[kept + 1] = '\0';
}

DWORD ResolveUILanguage(const char* subKey, char* out, DWORD outLen) {
  if (!out || outLen == 0) return kNoLanguage;

  char text[kTextSize] = "";
  long method = 0;
  if (ReadLocaleText(HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, subKey, "Language Search Method", text)) {
    method = strtol(text, nullptr, 10);
  }

  char name[kTextSize] = "";
  LANGID uiLanguage = 0;
  if (method == 1) {
    ReadLocaleText(HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, subKey, "Default UI Language", name);
  } else {
    uiLanguage = g_uiLanguageSource ? g_uiLanguageSource() : SystemUILanguage();
  }

  char list[kTextSize] = "";
  ReadLocaleText(HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER, subKey, "Available UI Languages", list);

  const char* answer = nullptr;
  if (method != 1) {
    const char* code = LanguageCode(uiLanguage);
    if (Occurs(code, list)) answer = code;
  } else if (name[0] && Occurs(name, list)) {
    answer = name;
  }
  if (!answer && ReadLocaleText(HKEY_LOCAL_MACHINE, nullptr, subKey, "Global Default UI Language", name) &&
      Occurs(name, list)) {
    answer = name;
  }
  if (!answer) {
    char* token = list + strspn(list, " \t");
    size_t length = strcspn(token, " \t");
    if (length == 0) return kNoLanguage;
    token[length] = '\0';
    answer = token;
  }

  // A suffix cut short would name another library: one that does not fit is no answer.
  size_t length = strlen(answer);
  if (length + (answer[0] == '.' ? 1 : 2) > outLen) return kNoLanguage;
  memcpy(out, answer, length + 1);
  EnsureLeadingDot(out, outLen);
  return 0;
}

bool GetResourceFolder(char* out, size_t outLen) {
  HMODULE self = nullptr;
  if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                          kLocaleKey, &self)) {
    return false;
  }
  char path[MAX_PATH];
  DWORD length = GetModuleFileNameA(self, path, sizeof path);
  if (length == 0 || length >= sizeof path) return false;
  // Walk by characters: a trail byte of a double-byte character may look like a backslash.
  char* end = nullptr;
  for (char* p = path; *p; p = CharNextA(p)) {
    if (*p == '\\' || *p == '/') end = p + 1;
  }
  if (!end || static_cast<size_t>(end - path) >= outLen) return false;
  memcpy(out, path, end - path);
  out[end - path] = '\0';
  return true;
}

HMODULE LoadResourceLibraryFrom(const char* folder, const char* subKey, const char* baseName) {
  // A path without a folder would be looked for along the search path, the current folder too.
  if (!folder || !folder[0] || !IsPlainFileName(baseName)) return nullptr;
  char suffix[kTextSize] = {};
  if (ResolveUILanguage(subKey, suffix, sizeof suffix) == 0) {
    char variant[MAX_PATH];
    if (LanguageVariantName(baseName, suffix, variant)) {
      if (HMODULE library = LoadFromFolder(folder, variant)) return library;
    }
  }
  return LoadFromFolder(folder, baseName);
}

HMODULE LoadResourceLibrary(const char* baseName) {
  char folder[MAX_PATH];
  if (!GetResourceFolder(folder, sizeof folder)) return nullptr;
  return LoadResourceLibraryFrom(folder, kLocaleKey, baseName);
}
