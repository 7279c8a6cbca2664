// The module's entry points: load and unload drive the application object, and
// EditKeySyms shows the editor.
#include "frame/KeySymApp.h"
#include "frame/SymEditPs.h"
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

extern "C" void EditKeySyms(void)
{
    try {
        CSymEditPs sheet(LoadResString(IDS_EDITOR_TITLE), nullptr, 0);
        sheet.DoModal();
    } catch (...) {
        ReportCaughtException();
    }
}
