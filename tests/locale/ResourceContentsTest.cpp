// What every resource library must hold, in every language: the five templates with the
// controls the module addresses, and every string with the arguments of the English one.
#include "LocaleTestSupport.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

struct LibraryFile {
  const char* name;
  LANGID primaryLanguage;
  UINT codePage;       // the ANSI code page its texts reach the module through
  LANGID userLanguage;  // the system's language for its users: the sheet's own buttons speak it
};

const LibraryFile kLibraries[] = {
    {"tavrel.nls", LANG_ENGLISH, 1252, 0x0409},     {"tavrel.eng.nls", LANG_ENGLISH, 1252, 0x0409},
    {"tavrel.fra.nls", LANG_FRENCH, 1252, 0x040C},  {"tavrel.esp.nls", LANG_SPANISH, 1252, 0x0C0A},
    {"tavrel.deu.nls", LANG_GERMAN, 1252, 0x0407},  {"tavrel.ita.nls", LANG_ITALIAN, 1252, 0x0410},
    {"tavrel.jpn.nls", LANG_JAPANESE, 932, 0x0411}, {"tavrel.prt.nls", LANG_PORTUGUESE, 1252, 0x0816},
};

enum Kind { kPushButton, kCheckBox, kEdit, kSetCombo, kSetList, kKeySymList, kLabel, kNameDisplay };

struct ExpectedControl {
  int id;
  Kind kind;
};

struct ExpectedTemplate {
  int id;
  bool page;
  std::vector<ExpectedControl> controls;
};

const ExpectedTemplate kTemplates[] = {
    {IDD_KEYSYM_PAGE, true,
     {{IDC_KS_SETS, kSetCombo}, {IDC_KS_ADD, kPushButton}, {IDC_KS_EDIT, kPushButton},
      {IDC_KS_DELETE, kPushButton}, {IDC_KS_KEYSYMS, kKeySymList}}},
    {IDD_SET_PAGE, true,
     {{IDC_ST_SETS, kSetList}, {IDC_ST_ADD, kPushButton}, {IDC_ST_RENAME, kPushButton},
      {IDC_ST_DELETE, kPushButton}, {IDC_ST_IMPORT, kPushButton}, {IDC_ST_EXPORT, kPushButton}}},
    {IDD_SEARCH_PAGE, true,
     {{IDC_SCH_SETS, kSetCombo}, {IDC_SCH_KEYSYMS, kKeySymList}, {IDC_SCH_FIND_TEXT, kEdit},
      {IDC_SCH_FIND, kPushButton}, {IDC_SCH_MATCH_CASE, kCheckBox}, {IDC_SCH_WHOLE_NAME, kCheckBox}}},
    {IDD_KEYSYM_DIALOG, false,
     {{IDOK, kPushButton}, {IDCANCEL, kPushButton}, {IDC_SYM_NAME, kEdit}, {IDC_SYM_VALUE, kEdit},
      {IDC_SYM_HINT, kNameDisplay}}},
    {IDD_SET_NAME_DIALOG, false,
     {{IDOK, kPushButton}, {IDCANCEL, kPushButton}, {IDC_SET_NEW_NAME, kEdit},
      {IDC_SET_CURRENT_LABEL, kLabel}, {IDC_SET_CURRENT_NAME, kNameDisplay}}},
};

// Every string and the arguments it takes.
const std::map<UINT, std::string> kStrings = {
    {IDS_CONFIRM_DELETE_KEYSYM, "%1%2"}, {IDS_SAVE_FAILED, "%1"},          {IDS_NOT_FOUND, "%1"},
    {IDS_CONFIRM_DELETE_SET, "%1"},      {IDS_KEYSYM_NAME_USED, "%1%2"},   {IDS_KEYSYM_NAME_INVALID, "%1"},
    {IDS_EDITOR_TITLE, ""},              {IDS_FIND_NEXT, ""},              {IDS_FIND, ""},
    {IDS_NEW_KEYSYM_TITLE, ""},          {IDS_EDIT_KEYSYM_TITLE, ""},      {IDS_ADD_SET_TITLE, ""},
    {IDS_RENAME_SET_TITLE, ""},          {IDS_SET_NAME_UNSTORABLE, "%1"},  {IDS_SET_NAME_TAKEN, "%1%2"},
    {IDS_SET_NAME_BLANK, ""},            {IDS_KEYSYM_NAME_UNSTORABLE, "%1"}, {IDS_FILE_CHANGED, "%1"},
    {IDS_HINT_CHARACTER, "%1%2"},        {IDS_HINT_STANDARD_VALUE, "%1"},  {IDS_HINT_TOO_LARGE, ""},
    {IDS_HINT_STANDARD_NAME, "%1%2"},    {IDS_HINT_NAME_CHARS, ""},        {IDS_IMPORT_TITLE, ""},
    {IDS_IMPORTED, "%1%2"},              {IDS_IMPORT_SKIPPED, "%1%2%3"},   {IDS_READ_FAILED, "%1"},
    {IDS_EXPORT_TITLE, ""},              {IDS_WRITE_FAILED, "%1"},         {IDS_HELP_FAILED, "%1"},
    {IDS_NO_DIALOGS, ""},
    {IDS_IMPORT_SKIPPED_ONE, "%1%2%3"},  {IDS_IMPORTED_ONE, "%1%2"},       {IDS_SKIP_NOT_KEYSYM_LINE, "%1"},
    {IDS_SKIP_NAME_TOO_LONG, "%1%2"},    {IDS_SKIP_VALUE_TOO_LARGE, "%1%2"}, {IDS_SKIP_VALUE_UNREADABLE, "%1%2"},
    {IDS_SKIP_NAME_NOT_IN_CODE_PAGE, "%1"}, {IDS_UNUSABLE_VALUE_ONE, "%1%2"}, {IDS_UNUSABLE_VALUE_MANY, "%1%2"},
    {IDS_EXPORT_LEFT_OUT_ONE, "%1%2"},   {IDS_EXPORT_LEFT_OUT_MANY, "%1%2"}, {IDS_IMPORT_NO_KEYSYMS, "%1"},
    {IDS_FILTER_XKEYSYMDB, ""},          {IDS_FILTER_C_HEADER, ""},        {IDS_HINT_NO_CHARACTER, "%1"},
    {IDS_HINT_RANGE, "%1%2"},            {IDS_HINT_NO_SYMBOL, ""},
};

std::string ClassOf(HWND window) {
  char name[64];
  int length = GetClassNameA(window, name, sizeof name);
  return std::string(name, length);
}

std::wstring LoadWide(HMODULE library, UINT id) {
  wchar_t text[1024];
  int length = LoadStringW(library, id, text, 1024);
  return std::wstring(text, length > 0 ? length : 0);
}

// One control of a dialog template as the resource holds it, before any window exists
// (a created list box drops the scroll bar styles it does not need yet).
struct TemplateItem {
  int id;
  std::string cls;
  DWORD style;
  std::wstring text;
  short x, y;
};

struct TemplateData {
  DWORD style = 0;
  std::wstring caption;
  std::vector<TemplateItem> items;
};

// Reads a DLGTEMPLATEEX; false for anything else.
bool ReadTemplate(HMODULE library, int id, TemplateData& out) {
  HRSRC found = FindResourceA(library, MAKEINTRESOURCEA(id), reinterpret_cast<LPCSTR>(RT_DIALOG));
  if (!found) return false;
  const WORD* p = static_cast<const WORD*>(LockResource(LoadResource(library, found)));
  if (!p || p[0] != 1 || p[1] != 0xFFFF) return false;
  auto dword = [](const WORD* at) { return static_cast<DWORD>(at[0] | (at[1] << 16)); };
  auto skipNameOrOrdinal = [](const WORD*& at, std::wstring* text, WORD* ordinal) {
    if (*at == 0xFFFF) {
      if (ordinal) *ordinal = at[1];
      at += 2;
    } else {
      const wchar_t* start = reinterpret_cast<const wchar_t*>(at);
      while (*at) ++at;
      if (text) text->assign(start, reinterpret_cast<const wchar_t*>(at));
      ++at;
    }
  };
  out.style = dword(p + 6);
  int count = p[8];
  p += 13;
  skipNameOrOrdinal(p, nullptr, nullptr);  // menu
  skipNameOrOrdinal(p, nullptr, nullptr);  // class
  skipNameOrOrdinal(p, &out.caption, nullptr);
  if (out.style & DS_SETFONT) {
    p += 3;
    skipNameOrOrdinal(p, nullptr, nullptr);
  }
  static const char* const kClasses[] = {"Button", "Edit", "Static", "ListBox", "ScrollBar", "ComboBox"};
  for (int i = 0; i < count; ++i) {
    p = reinterpret_cast<const WORD*>((reinterpret_cast<ULONG_PTR>(p) + 3) & ~ULONG_PTR(3));
    TemplateItem item;
    item.style = dword(p + 4);
    item.id = static_cast<int>(dword(p + 10));
    item.x = static_cast<short>(p[6]);
    item.y = static_cast<short>(p[7]);
    p += 12;
    std::wstring className;
    WORD ordinal = 0;
    skipNameOrOrdinal(p, &className, &ordinal);
    item.cls = ordinal >= 0x80 && ordinal <= 0x85 ? kClasses[ordinal - 0x80]
                                                  : std::string(className.begin(), className.end());
    skipNameOrOrdinal(p, &item.text, nullptr);
    p += 1 + (*p + 1) / 2;                   // creation data
    out.items.push_back(item);
  }
  return true;
}

const TemplateItem* FindItem(const TemplateData& data, int id) {
  for (const TemplateItem& item : data.items) {
    if (item.id == id) return &item;
  }
  return nullptr;
}

// The distinct %n arguments of a text, in order: "%2 ... %1 ... %2" gives "%1%2".
std::string Arguments(const std::wstring& text) {
  std::set<wchar_t> digits;
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] == L'%' && text[i + 1] >= L'1' && text[i + 1] <= L'9') digits.insert(text[++i]);
  }
  std::string arguments;
  for (wchar_t digit : digits) arguments += {'%', static_cast<char>(digit)};
  return arguments;
}

// The access key of a caption ("A&dd" gives 'D'), or 0.
wchar_t AccessKey(const std::wstring& text) {
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != L'&') continue;
    if (text[i + 1] != L'&') return static_cast<wchar_t>(reinterpret_cast<ULONG_PTR>(
        CharUpperW(reinterpret_cast<LPWSTR>(static_cast<ULONG_PTR>(text[i + 1])))));
    ++i;
  }
  return 0;
}

INT_PTR CALLBACK IgnoreMessages(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

// A template made into a window as the module makes it: pages as children of a popup.
class ShownTemplate {
 public:
  ShownTemplate(HMODULE library, const ExpectedTemplate& expected) {
    if (expected.page) {
      m_owner = CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 600, 600, nullptr, nullptr, nullptr, nullptr);
    }
    m_window = CreateDialogParamA(library, MAKEINTRESOURCEA(expected.id), m_owner, IgnoreMessages, 0);
  }
  ~ShownTemplate() {
    if (m_window) DestroyWindow(m_window);
    if (m_owner) DestroyWindow(m_owner);
  }
  HWND get() const { return m_window; }

 private:
  HWND m_owner = nullptr;
  HWND m_window = nullptr;
};

void ExpectControl(const TemplateData& data, const ExpectedControl& expected) {
  const TemplateItem* item = FindItem(data, expected.id);
  ASSERT_NE(nullptr, item) << "control " << expected.id << " is missing";
  DWORD style = item->style;
  const std::string& cls = item->cls;
  SCOPED_TRACE(testing::Message() << "control " << expected.id << ", class " << cls << ", style 0x" << std::hex
                                  << style);
  switch (expected.kind) {
    case kPushButton:
      EXPECT_EQ("Button", cls);
      EXPECT_TRUE((style & BS_TYPEMASK) == BS_PUSHBUTTON || (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON);
      EXPECT_TRUE(style & WS_TABSTOP);
      break;
    case kCheckBox:
      EXPECT_EQ("Button", cls);
      EXPECT_EQ(BS_AUTOCHECKBOX, style & BS_TYPEMASK);
      EXPECT_TRUE(style & WS_TABSTOP);
      break;
    case kEdit:
      EXPECT_EQ("Edit", cls);
      EXPECT_FALSE(style & ES_READONLY);
      EXPECT_TRUE(style & WS_TABSTOP);
      break;
    case kSetCombo:
      EXPECT_EQ("ComboBox", cls);
      EXPECT_EQ(CBS_DROPDOWNLIST, style & 3);
      EXPECT_FALSE(style & CBS_SORT) << "set positions would not be combo rows";
      break;
    case kSetList:
      EXPECT_EQ("ListBox", cls);
      EXPECT_TRUE(style & LBS_NOTIFY);
      EXPECT_FALSE(style & LBS_SORT) << "set positions would not be list rows";
      break;
    case kKeySymList:
      EXPECT_EQ("ListBox", cls);
      EXPECT_EQ(LBS_NOTIFY | LBS_USETABSTOPS | WS_HSCROLL | WS_VSCROLL,
                style & (LBS_NOTIFY | LBS_USETABSTOPS | WS_HSCROLL | WS_VSCROLL));
      EXPECT_FALSE(style & LBS_SORT);
      break;
    case kLabel:
      EXPECT_EQ("Static", cls);
      break;
    case kNameDisplay:
      // Shows a set name as it is: an "&" in it is no access key.
      if (cls == "Static") {
        EXPECT_TRUE(style & SS_NOPREFIX);
      } else {
        EXPECT_EQ("Edit", cls);
        EXPECT_TRUE(style & ES_READONLY);
      }
      break;
  }
}

// The texts of the buttons a property sheet adds to the pages (OK, Cancel, Apply, Help), as
// the system shows them to users of the given language.
std::vector<std::wstring> SheetButtonTexts(LANGID language) {
  std::vector<std::wstring> texts;
  HMODULE comctl = GetModuleHandleA("comctl32.dll");
  const LPCWSTR sheet = MAKEINTRESOURCEW(1006);  // the system's property sheet template
  HRSRC found = FindResourceExW(comctl, reinterpret_cast<LPCWSTR>(RT_DIALOG), sheet, language);
  if (!found) {
    found = FindResourceExW(comctl, reinterpret_cast<LPCWSTR>(RT_DIALOG), sheet,
                            MAKELANGID(PRIMARYLANGID(language), SUBLANG_NEUTRAL));
  }
  if (!found) return texts;
  // A plain DLGTEMPLATE: a name or ordinal for menu, class and caption, then the font.
  const WORD* p = static_cast<const WORD*>(LockResource(LoadResource(comctl, found)));
  auto skip = [](const WORD*& at, std::wstring* text) {
    if (*at == 0xFFFF) {
      at += 2;
      return;
    }
    const wchar_t* start = reinterpret_cast<const wchar_t*>(at);
    while (*at) ++at;
    if (text) text->assign(start, reinterpret_cast<const wchar_t*>(at));
    ++at;
  };
  DWORD style = p[0] | (p[1] << 16);
  int count = p[4];
  p += 9;
  skip(p, nullptr);
  skip(p, nullptr);
  skip(p, nullptr);
  if (style & DS_SETFONT) {
    ++p;
    skip(p, nullptr);
  }
  for (int i = 0; i < count; ++i) {
    p = reinterpret_cast<const WORD*>((reinterpret_cast<ULONG_PTR>(p) + 3) & ~ULONG_PTR(3));
    p += 9;
    bool button = p[0] == 0xFFFF && p[1] == 0x80;
    skip(p, nullptr);
    std::wstring text;
    skip(p, &text);
    p += 1 + (*p + 1) / 2;
    if (button) texts.push_back(text);
  }
  return texts;
}

// Labels and buttons carry access keys, no two alike, none taken by the keys of the
// window around them (a page's sheet); every field follows its label, so that the label's
// key reaches it; and the tab order reads the layout line by line.
void ExpectKeyboardAccess(const TemplateData& data, const std::vector<std::wstring>& around) {
  std::map<wchar_t, std::wstring> keys;
  for (const std::wstring& text : around) {
    if (wchar_t key = AccessKey(text)) keys.emplace(key, text);
  }
  const TemplateItem* previousStop = nullptr;
  for (size_t i = 0; i < data.items.size(); ++i) {
    const TemplateItem& item = data.items[i];
    if (item.style & WS_TABSTOP) {
      if (previousStop) {
        EXPECT_TRUE(previousStop->y < item.y || (previousStop->y == item.y && previousStop->x < item.x))
            << "control " << item.id << " comes after control " << previousStop->id << " in the tab order";
      }
      previousStop = &item;
    }
    // A static that shows data (SS_NOPREFIX) labels nothing.
    bool label = item.cls == "Static" && !(item.style & SS_NOPREFIX) && item.id != IDC_SET_CURRENT_LABEL;
    bool button = item.cls == "Button" && item.id != IDOK && item.id != IDCANCEL;  // Enter and Esc serve those
    if (label || button) {
      wchar_t key = AccessKey(item.text);
      EXPECT_NE(0, key) << "no access key in control " << item.id;
      if (key) {
        EXPECT_TRUE(keys.emplace(key, item.text).second)
            << "access key " << testing::PrintToString(std::wstring(1, key)) << " of control " << item.id
            << " is also in " << testing::PrintToString(keys[key]);
      }
    }
    bool field = item.cls == "Edit" || item.cls == "ComboBox" || item.cls == "ListBox";
    if (field && !(item.cls == "Edit" && (item.style & ES_READONLY))) {
      ASSERT_GT(i, 0u) << "field " << item.id << " has no label";
      const TemplateItem& previous = data.items[i - 1];
      EXPECT_EQ("Static", previous.cls) << "field " << item.id << " does not follow its label";
      EXPECT_NE(0, AccessKey(previous.text)) << "label of field " << item.id;
    }
  }
}

// Controls lie inside the template and do not overlap; texts fit their controls.
void ExpectLayoutFits(HWND dialog, const TemplateData& data) {
  RECT client;
  GetClientRect(dialog, &client);
  std::vector<std::pair<int, RECT>> placed;
  HDC dc = GetDC(dialog);
  HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(dialog, WM_GETFONT, 0, 0)));
  size_t index = 0;
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT), ++index) {
    int id = GetDlgCtrlID(child);
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    std::string cls = ClassOf(child);
    if (cls == "ComboBox") rect.bottom = rect.top + 14;  // the closed box, not its drop-down
    EXPECT_TRUE(rect.left >= 0 && rect.top >= 0 && rect.right <= client.right && rect.bottom <= client.bottom)
        << "control " << id << " leaves the template";
    for (const auto& [otherId, other] : placed) {
      RECT overlap;
      EXPECT_FALSE(IntersectRect(&overlap, &rect, &other)) << "controls " << otherId << " and " << id << " overlap";
    }
    placed.emplace_back(id, rect);

    // The template's text: an ANSI window holds only what the code page can show.
    ASSERT_LT(index, data.items.size());
    std::wstring text = data.items[index].text;
    if (text.empty() || (cls != "Static" && cls != "Button")) continue;
    std::wstring shown;
    for (size_t i = 0; i < text.size(); ++i) {
      if (text[i] == L'&' && i + 1 < text.size()) ++i;
      shown += text[i];
    }
    SIZE size;
    GetTextExtentPoint32W(dc, shown.c_str(), static_cast<int>(shown.size()), &size);
    LONG style = GetWindowLongA(child, GWL_STYLE);
    LONG room = rect.right - rect.left;
    if (cls == "Button") room -= (style & BS_TYPEMASK) == BS_AUTOCHECKBOX ? 16 : 6;
    EXPECT_LE(size.cx, room) << "text of control " << id << " is cut: " << testing::PrintToString(text);
  }
  SelectObject(dc, oldFont);
  ReleaseDC(dialog, dc);
}

class ResourceLibraryTest : public testing::TestWithParam<LibraryFile> {
 protected:
  void SetUp() override {
    m_library = LoadBuiltLibrary(GetParam().name);
    ASSERT_NE(nullptr, m_library) << GetParam().name << ": error " << GetLastError();
  }
  void TearDown() override {
    if (m_library) FreeLibrary(m_library);
  }
  HMODULE m_library = nullptr;
};

TEST_P(ResourceLibraryTest, IsTaggedWithItsLanguage) {
  EXPECT_EQ(GetParam().primaryLanguage, PrimaryLanguageOf(m_library));
  // The strings carry the same tag, so that no lookup falls back to another language.
  LANGID language = MAKELANGID(GetParam().primaryLanguage, SUBLANG_NEUTRAL);
  bool found = false;
  for (WORD sub = 0; sub < 0x40 && !found; ++sub) {
    found = FindResourceExA(m_library, reinterpret_cast<LPCSTR>(RT_STRING), MAKEINTRESOURCEA(1),
                            MAKELANGID(PRIMARYLANGID(language), sub)) != nullptr;
  }
  EXPECT_TRUE(found);
}

TEST_P(ResourceLibraryTest, TemplatesHoldTheControlsTheModuleAddresses) {
  for (const ExpectedTemplate& expected : kTemplates) {
    SCOPED_TRACE(testing::Message() << "template " << expected.id);
    TemplateData data;
    ASSERT_TRUE(ReadTemplate(m_library, expected.id, data));
    if (expected.page) {
      // Created disabled and captioned: the sheet enables the page and takes the caption for its tab.
      EXPECT_EQ(WS_CHILD | WS_DISABLED | WS_CAPTION | DS_SETFONT,
                data.style & (WS_CHILD | WS_POPUP | WS_DISABLED | WS_CAPTION | DS_SETFONT));
      EXPECT_FALSE(data.caption.empty()) << "the caption is the tab's caption";
    } else {
      EXPECT_EQ(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT,
                data.style & (WS_POPUP | WS_CHILD | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT));
    }
    for (const ExpectedControl& control : expected.controls) ExpectControl(data, control);

    ShownTemplate shown(m_library, expected);
    HWND dialog = shown.get();
    ASSERT_NE(nullptr, dialog) << "error " << GetLastError();
    ExpectLayoutFits(dialog, data);
  }
}

TEST_P(ResourceLibraryTest, EveryWindowCanBeWorkedFromTheKeyboard) {
  const std::vector<std::wstring> sheetButtons = SheetButtonTexts(GetParam().userLanguage);
  ASSERT_EQ(4u, sheetButtons.size()) << "the sheet's buttons in language " << GetParam().userLanguage;
  for (const ExpectedTemplate& expected : kTemplates) {
    SCOPED_TRACE(testing::Message() << "template " << expected.id);
    TemplateData data;
    ASSERT_TRUE(ReadTemplate(m_library, expected.id, data));
    ExpectKeyboardAccess(data, expected.page ? sheetButtons : std::vector<std::wstring>());
    if (expected.id == IDD_SEARCH_PAGE) {
      // The Find button turns into Find Next while a search goes on.
      for (TemplateItem& item : data.items) {
        if (item.id == IDC_SCH_FIND) item.text = LoadWide(m_library, IDS_FIND_NEXT);
      }
      SCOPED_TRACE("with Find Next");
      ExpectKeyboardAccess(data, sheetButtons);
    }
  }
}

TEST_P(ResourceLibraryTest, KeySymDialogShowsThreeHintsOfALineEach) {
  ShownTemplate shown(m_library, kTemplates[3]);
  HWND hint = GetDlgItem(shown.get(), IDC_SYM_HINT);
  ASSERT_NE(nullptr, hint);
  RECT room;
  GetClientRect(hint, &room);
  HDC dc = GetDC(hint);
  HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(hint, WM_GETFONT, 0, 0)));
  TEXTMETRICW metrics;
  GetTextMetricsW(dc, &metrics);
  EXPECT_GE(room.bottom, 3 * metrics.tmHeight);
  // The longest standard keysym names and values.
  const std::wstring name = L"ISO_Discontinuous_Underline", value = L"10028ff";
  for (UINT id : {IDS_HINT_CHARACTER, IDS_HINT_STANDARD_VALUE, IDS_HINT_TOO_LARGE, IDS_HINT_STANDARD_NAME,
                  IDS_HINT_NAME_CHARS, IDS_HINT_NO_CHARACTER, IDS_HINT_RANGE, IDS_HINT_NO_SYMBOL}) {
    std::wstring text = LoadWide(m_library, id);
    const wchar_t* arg1 = id == IDS_HINT_CHARACTER ? L"W" : id == IDS_HINT_NO_CHARACTER ? L"10FFFF"
                          : id == IDS_HINT_RANGE ? L"MISCELLANY" : name.c_str();
    const wchar_t* arg2 = id == IDS_HINT_CHARACTER ? L"10FFFF" : id == IDS_HINT_RANGE ? L"10080000-1008ffff" : value.c_str();
    for (const auto& [argument, with] : {std::pair{L"%1", arg1}, std::pair{L"%2", arg2}}) {
      size_t at = text.find(argument);
      if (at != std::wstring::npos) text.replace(at, 2, with);
    }
    SIZE size;
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    EXPECT_LE(size.cx, room.right) << "string " << id << " takes more than a line: "
                                   << testing::PrintToString(text);
  }
  SelectObject(dc, oldFont);
  ReleaseDC(hint, dc);
}

TEST_P(ResourceLibraryTest, FieldsAreSizedForTheirLimits) {
  // The widest text each field takes must show whole: its limit in average characters.
  struct Field {
    int dialogId, id, characters;
  };
  for (const Field& field : {Field{IDD_KEYSYM_DIALOG, IDC_SYM_NAME, 30}, Field{IDD_KEYSYM_DIALOG, IDC_SYM_VALUE, 8},
                             Field{IDD_SEARCH_PAGE, IDC_SCH_FIND_TEXT, 32},
                             Field{IDD_SET_NAME_DIALOG, IDC_SET_NEW_NAME, 40}}) {
    const ExpectedTemplate* expected = nullptr;
    for (const ExpectedTemplate& candidate : kTemplates) {
      if (candidate.id == field.dialogId) expected = &candidate;
    }
    ShownTemplate shown(m_library, *expected);
    HWND edit = GetDlgItem(shown.get(), field.id);
    ASSERT_NE(nullptr, edit);
    // Hex digits for the value, a typical name otherwise.
    std::string sample = field.characters == 8 ? std::string("1000FFFF")
                                               : std::string("Greek_upsilonaccentdieresis_xx").substr(0, 30);
    while (static_cast<int>(sample.size()) < field.characters) sample += sample.substr(0, field.characters - sample.size());
    SetWindowTextA(edit, sample.c_str());
    // With the text shown from its start, the last character must be visible.
    SendMessageA(edit, EM_SETSEL, 0, 0);
    RECT format;
    SendMessageA(edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
    LRESULT last = SendMessageA(edit, EM_POSFROMCHAR, sample.size() - 1, 0);
    int lastX = static_cast<short>(LOWORD(last));
    EXPECT_TRUE(last != -1 && lastX >= 0 && lastX < format.right)
        << "template " << field.dialogId << " field " << field.id << ": character " << field.characters
        << " is at x " << lastX << ", the field shows up to " << format.right;
    // And the field is no more than half as wide again as that.
    EXPECT_GT(lastX * 3 / 2, format.right - format.left)
        << "template " << field.dialogId << " field " << field.id << " is much wider than its limit";
  }
}

TEST_P(ResourceLibraryTest, FindButtonStartsWithTheFindCaption) {
  TemplateData data;
  ASSERT_TRUE(ReadTemplate(m_library, IDD_SEARCH_PAGE, data));
  const TemplateItem* find = FindItem(data, IDC_SCH_FIND);
  ASSERT_NE(nullptr, find);
  EXPECT_EQ(LoadWide(m_library, IDS_FIND), find->text);
}

TEST_P(ResourceLibraryTest, EveryStringIsPresentWithTheEnglishArguments) {
  for (const auto& [id, arguments] : kStrings) {
    std::wstring text = LoadWide(m_library, id);
    SCOPED_TRACE(testing::Message() << "string " << id);
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(arguments, Arguments(text));
    // Texts reach the module as ANSI: every character must exist in the language's code page.
    BOOL lost = FALSE;
    char ansi[4096];
    int length = WideCharToMultiByte(GetParam().codePage, WC_NO_BEST_FIT_CHARS, text.c_str(),
                                     static_cast<int>(text.size()), ansi, sizeof ansi, nullptr, &lost);
    EXPECT_TRUE(length > 0 && !lost) << "not representable in code page " << GetParam().codePage;
    // UTF-8 read as another code page leaves pairs like U+00C3 U+00A9 ("Ã©") or U+FFFD.
    for (size_t i = 0; i < text.size(); ++i) {
      EXPECT_NE(0xFFFD, text[i]);
      EXPECT_FALSE(text[i] >= 0x80 && text[i] < 0xA0) << "control character at " << i;
      if ((text[i] == 0xC2 || text[i] == 0xC3) && i + 1 < text.size()) {
        EXPECT_FALSE(text[i + 1] >= 0x80 && text[i + 1] < 0xC0) << "double-encoded text at " << i;
      }
    }
  }
}

TEST_P(ResourceLibraryTest, PagesShowInAPropertySheet) {
  const int pageIds[] = {IDD_KEYSYM_PAGE, IDD_SEARCH_PAGE, IDD_SET_PAGE};
  PROPSHEETPAGEA pages[3] = {};
  for (int i = 0; i < 3; ++i) {
    pages[i].dwSize = sizeof pages[i];
    pages[i].hInstance = m_library;
    pages[i].pszTemplate = MAKEINTRESOURCEA(pageIds[i]);
    pages[i].pfnDlgProc = IgnoreMessages;
  }
  PROPSHEETHEADERA header = {};
  header.dwSize = sizeof header;
  header.dwFlags = PSH_PROPSHEETPAGE | PSH_MODELESS;
  header.hInstance = m_library;
  header.pszCaption = "sheet";
  header.nPages = 3;
  header.ppsp = pages;
  HWND sheet = reinterpret_cast<HWND>(PropertySheetA(&header));
  ASSERT_NE(nullptr, sheet);
  HWND tabs = PropSheet_GetTabControl(sheet);
  for (int i = 0; i < 3; ++i) {
    PropSheet_SetCurSel(sheet, nullptr, i);
    HWND page = PropSheet_GetCurrentPageHwnd(sheet);
    ASSERT_NE(nullptr, page) << "page " << pageIds[i];
    wchar_t tab[128] = L"";
    TCITEMW item = {};
    item.mask = TCIF_TEXT;
    item.pszText = tab;
    item.cchTextMax = 128;
    SendMessageW(tabs, TCM_GETITEMW, i, reinterpret_cast<LPARAM>(&item));
    TemplateData data;
    ASSERT_TRUE(ReadTemplate(m_library, pageIds[i], data));
    EXPECT_EQ(data.caption, std::wstring(tab)) << "page " << pageIds[i];
  }
  DestroyWindow(sheet);
}

INSTANTIATE_TEST_SUITE_P(AllLanguages, ResourceLibraryTest, testing::ValuesIn(kLibraries),
                         [](const testing::TestParamInfo<LibraryFile>& info) {
                           std::string name = info.param.name;
                           for (char& c : name) {
                             if (c == '.') c = '_';
                           }
                           return name;
                         });

}  // namespace
