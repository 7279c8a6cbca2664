// The module's entry points: load and unload drive the application object, and
// EditKeySyms shows the editor.
#include "frame/KeySymApp.h"
#include "frame/SymEditPs.h"
#include "locale/MessageBoxes.h"
#include "locale/Strings.h"
#include "resources/resource.h"

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID)
{
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        ::DisableThreadLibraryCalls(module);
        return GetKeySymApp().ProcessAttach(module);
    case DLL_PROCESS_DETACH:
        GetKeySymApp().ProcessDetach();
        break;
    default:
        break;
    }
    return TRUE;
}

namespace {
// Set while a call shows the sheet. There is one store per load, and it keeps changes that
// were not applied for the next call; two sheets would edit it at once from two threads.
// So a second call, from any thread, brings the open sheet to the front and returns.
LONG volatile g_sheetInUse = 0;

void ShowOpenSheet()
{
    HWND sheet = CSymEditPs::OpenSheet();
    if (!sheet)
        return;   // still being made: it comes up in front by itself
    if (::IsIconic(sheet))
        ::ShowWindowAsync(sheet, SW_RESTORE);
    ::SetForegroundWindow(sheet);
}
}  // namespace

extern "C" void EditKeySyms(void)
{
    if (::InterlockedCompareExchange(&g_sheetInUse, 1, 0) != 0) {
        ShowOpenSheet();
        return;
    }
    try {
        // Said once per load: names this code page cannot spell are kept but not shown.
        CKeySymApp& app = GetKeySymApp();
        if (app.m_bFileUnshown) {
            app.m_bFileUnshown = false;
            ResMessageBox(IDS_FILE_NAMES_NOT_SHOWN, MB_OK | MB_ICONINFORMATION, app.m_strKeySymFile);
        }
        CSymEditPs sheet(app, LoadResString(IDS_EDITOR_TITLE), nullptr, 0);
        sheet.DoModal();
    } catch (...) {
        ReportCaughtException();
    }
    ::InterlockedExchange(&g_sheetInUse, 0);
}
