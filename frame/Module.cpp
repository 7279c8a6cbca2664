// The module's entry points: load and unload drive the application object, and
// EditKeySyms shows the editor.
#include "frame/KeySymApp.h"
#include "frame/SymEditPs.h"
#include "locale/MessageBoxes.h"
#include "locale/Strings.h"
#include "resources/resource.h"

#include <pthread.h>
#include <cstdlib>

namespace __gnu_cxx {
void __freeres() noexcept;  // the C++ runtime's own release of its exception reserve
}

namespace {
// The C++ runtime linked into the module keeps, for each copy of the module, what only a
// process exit would free: the exception reserve (about 72 KB, taken by a static constructor)
// and, once the thread layer has seen this thread, its record of it with a duplicate of the
// thread's handle, an event and a TLS slot. The 32-bit build always makes the record: its
// unwinder registers the frame tables through pthread_once at start-up. The thread layer
// frees a record when its thread ends, never when the module goes, so a host that loads the
// module again and again would lose two handles a load and, after about a thousand loads,
// run out of TLS slots. Called when the module is freed, after the application's shut-down.
void ReleaseRuntimeLeftovers()
{
    HANDLE event = pthread_getevent();
    HANDLE thread = pthread_gethandle(pthread_self());
    // The record's cleanup list follows three pointer-sized fields; the record is the
    // value of the layer's TLS slot for this thread, which is how the slot is found.
    void* record = reinterpret_cast<char*>(pthread_getclean()) - 3 * sizeof(void*);
    for (DWORD slot = 0; slot < TLS_MINIMUM_AVAILABLE + 1024; ++slot) {
        if (::TlsGetValue(slot) == record) {
            ::TlsSetValue(slot, nullptr);
            ::TlsFree(slot);
            if (thread)
                ::CloseHandle(thread);
            if (event)
                ::CloseHandle(event);
            std::free(record);
            break;
        }
    }
    __gnu_cxx::__freeres();
}
}  // namespace

// The loader lock is held here, and both ends do what hosts have always seen under it:
// loading shows a message box when no resource library is found, and freeing after a change
// broadcasts KEYSYMEDITOR. What keeps that safe: the resource library is loaded and freed as
// data, so no other module's code runs; the box is modal on this thread and waits for no other
// thread (other threads that load libraries meanwhile wait until it is closed); the broadcast is
// SendMessageTimeout with SMTO_ABORTIFHUNG, so a window whose thread waits for the loader lock
// holds it for kChangeNotifyTimeoutMs at most, never for ever.
BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID reserved)
{
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        ::DisableThreadLibraryCalls(module);
        return GetKeySymApp().ProcessAttach(module);
    case DLL_PROCESS_DETACH:
        GetKeySymApp().ProcessDetach();
        if (!reserved)  // FreeLibrary; at process exit everything goes anyway
            ReleaseRuntimeLeftovers();
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

// Any module renamed to the resource library's name loads; without the editor's dialogs
// the sheet would end at once with nothing shown.
bool ResourceLibraryHasDialogs()
{
    for (int id : {IDD_KEYSYM_PAGE, IDD_SEARCH_PAGE, IDD_SET_PAGE, IDD_KEYSYM_DIALOG, IDD_SET_NAME_DIALOG}) {
        if (!::FindResourceA(AfxGetResourceHandle(), MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(5)))  // RT_DIALOG
            return false;
    }
    return true;
}
}  // namespace

extern "C" void EditKeySyms(void)
{
    if (::InterlockedCompareExchange(&g_sheetInUse, 1, 0) != 0) {
        ShowOpenSheet();
        return;
    }
    try {
        CKeySymApp& app = GetKeySymApp();
        if (!ResourceLibraryHasDialogs()) {
            ResMessageBox(IDS_NO_DIALOGS, MB_OK | MB_ICONHAND);
        } else {
            // Said once per load: names this code page cannot spell are kept but not shown.
            if (app.m_bFileUnshown) {
                app.m_bFileUnshown = false;
                ResMessageBox(IDS_FILE_NAMES_NOT_SHOWN, MB_OK | MB_ICONINFORMATION, app.m_strKeySymFile);
            }
            CSymEditPs sheet(app, LoadResString(IDS_EDITOR_TITLE), nullptr, 0);
            sheet.DoModal();
        }
    } catch (...) {
        ReportCaughtException();
    }
    ::InterlockedExchange(&g_sheetInUse, 0);
}
