// Shows one template of a resource library the way the editor shows it, with sample
// contents, so that it can be captured and looked at:
//   template_viewer LIBRARY TEMPLATE [MILLISECONDS]
// Pages appear in a property sheet with the other two pages, dialogs on their own. Prints
// "ready X Y WIDTH HEIGHT" (the window on the screen) once it is painted, and closes after
// MILLISECONDS (default 3000).
#include <windows.h>
#include <commctrl.h>
#include <cstdio>
#include <cstdlib>

#include "resources/resource.h"

namespace {

HMODULE g_library;

const char* const kSets[] = {"Cyrillic", "Greek", "Latin extended", "Technical symbols"};
const char* const kKeySyms[] = {"alpha\t7e1", "beta\t7e2", "gamma\t7e3",
                                "Greek_OMEGAaccent\t7ab", "ecircumflexgrave\t1001ec1"};

void FillSets(HWND control, UINT addMessage, UINT selectMessage) {
  for (const char* set : kSets) SendMessageA(control, addMessage, 0, reinterpret_cast<LPARAM>(set));
  SendMessageA(control, selectMessage, 1, 0);
}

void FillKeySyms(HWND list) {
  for (const char* row : kKeySyms) SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row));
  int tabStop = 80;
  SendMessageA(list, LB_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&tabStop));
  SendMessageA(list, LB_SETCURSEL, 1, 0);
}

void SetTitle(HWND window, UINT id) {
  char text[256];
  if (LoadStringA(g_library, id, text, sizeof text) > 0) SetWindowTextA(window, text);
}

INT_PTR CALLBACK TemplateProc(HWND window, UINT message, WPARAM, LPARAM lParam) {
  if (message != WM_INITDIALOG) return FALSE;
  auto item = [window](int id) { return GetDlgItem(window, id); };
  // Pages get their PROPSHEETPAGE, dialogs the template number.
  LPARAM id = lParam > 0xFFFF ? reinterpret_cast<const PROPSHEETPAGEA*>(lParam)->lParam : lParam;
  switch (id) {
    case IDD_KEYSYM_PAGE:
      FillSets(item(IDC_KS_SETS), CB_ADDSTRING, CB_SETCURSEL);
      FillKeySyms(item(IDC_KS_KEYSYMS));
      break;
    case IDD_SET_PAGE:
      FillSets(item(IDC_ST_SETS), LB_ADDSTRING, LB_SETCURSEL);
      break;
    case IDD_SEARCH_PAGE:
      SetWindowTextA(item(IDC_SCH_FIND_TEXT), "Greek_OMEGA");
      FillSets(item(IDC_SCH_SETS), CB_ADDSTRING, CB_SETCURSEL);
      FillKeySyms(item(IDC_SCH_KEYSYMS));
      break;
    case IDD_KEYSYM_DIALOG:
      SetTitle(window, IDS_EDIT_KEYSYM_TITLE);
      SetWindowTextA(item(IDC_SYM_NAME), "Greek_OMEGAaccent");
      SetWindowTextA(item(IDC_SYM_VALUE), "1000ab");
      break;
    case IDD_SET_NAME_DIALOG:
      SetTitle(window, IDS_RENAME_SET_TITLE);
      SetWindowTextA(item(IDC_SET_CURRENT_NAME), "Technical symbols & arrows");
      SetWindowTextA(item(IDC_SET_NEW_NAME), "Technical");
      break;
  }
  return TRUE;
}

HWND ShowSheet(int active) {
  static const int kPages[] = {IDD_KEYSYM_PAGE, IDD_SEARCH_PAGE, IDD_SET_PAGE};
  PROPSHEETPAGEA pages[3] = {};
  int start = 0;
  for (int i = 0; i < 3; ++i) {
    pages[i].dwSize = sizeof pages[i];
    pages[i].dwFlags = PSP_HASHELP;
    pages[i].hInstance = g_library;
    pages[i].pszTemplate = MAKEINTRESOURCEA(kPages[i]);
    pages[i].pfnDlgProc = TemplateProc;
    pages[i].lParam = kPages[i];
    if (kPages[i] == active) start = i;
  }
  char title[256] = "";
  LoadStringA(g_library, IDS_EDITOR_TITLE, title, sizeof title);
  PROPSHEETHEADERA header = {};
  header.dwSize = sizeof header;
  header.dwFlags = PSH_PROPSHEETPAGE | PSH_MODELESS | PSH_HASHELP | PSH_NOCONTEXTHELP;
  header.hInstance = g_library;
  header.pszCaption = title;
  header.nPages = 3;
  header.nStartPage = start;
  header.ppsp = pages;
  HWND sheet = reinterpret_cast<HWND>(PropertySheetA(&header));
  if (sheet) SetWindowPos(sheet, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  return sheet;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    fprintf(stderr, "usage: template_viewer LIBRARY TEMPLATE [MILLISECONDS]\n");
    return 2;
  }
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  g_library = LoadLibraryExA(argv[1], nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  if (!g_library) {
    fprintf(stderr, "cannot load %s: error %lu\n", argv[1], GetLastError());
    return 1;
  }
  int id = atoi(argv[2]);
  DWORD lifetime = argc > 3 ? strtoul(argv[3], nullptr, 10) : 3000;
  bool page = id == IDD_KEYSYM_PAGE || id == IDD_SET_PAGE || id == IDD_SEARCH_PAGE;
  HWND window = page ? ShowSheet(id)
                     : CreateDialogParamA(g_library, MAKEINTRESOURCEA(id), nullptr, TemplateProc, id);
  if (!window) {
    fprintf(stderr, "cannot show template %d: error %lu\n", id, GetLastError());
    return 1;
  }
  if (!page) SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);

  DWORD start = GetTickCount();
  bool announced = false;
  MSG message;
  while (GetTickCount() - start < lifetime) {
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (!IsDialogMessageA(window, &message)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
      }
    }
    if (!announced && GetTickCount() - start > 300) {
      RECT rect;
      GetWindowRect(window, &rect);
      printf("ready %ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
      fflush(stdout);
      announced = true;
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
  }
  DestroyWindow(window);
  return 0;
}
