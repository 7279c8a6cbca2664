#pragma once
// Drives the real editor module the way a host and a user would: fresh folders for the
// directory stand-in, the module loaded and unloaded, the sheet run on a thread of its
// own, and its pages, dialogs and message boxes found and worked through messages.
#include "TestFiles.h"
#include <windows.h>
#include <commctrl.h>
#include <functional>
#include <string>
#include <vector>

namespace kstest {

// Waits until `ready` holds, polling; false after `timeoutMs`.
bool WaitFor(const std::function<bool()>& ready, DWORD timeoutMs = 5000);

// A user's directory and an installation directory for the directory stand-in, and the
// module loaded over them.
class ModuleFixture {
public:
    // `keySymFile` is written as keysyms.kbs unless `writeFile` is false.
    explicit ModuleFixture(const std::string& keySymFile = "", bool writeFile = true);
    ~ModuleFixture();
    ModuleFixture(const ModuleFixture&) = delete;
    ModuleFixture& operator=(const ModuleFixture&) = delete;

    // Loads TAVREL.dll from `folder` (the test program's folder by default), its own
    // folder searched first for what it imports. Null when the load failed.
    HMODULE Load(const std::string& folder = BinDir());
    void Unload();
    // Points directory `which` of the stand-in at `path` (empty: remove the value).
    static void SetDirectory(int which, const std::string& path);

    HMODULE module = nullptr;
    std::string root, userDir, installDir, keySymFile;
};

// EditKeySyms running on a thread of its own, under an owner window of that thread.
class SheetSession {
public:
    explicit SheetSession(HMODULE module);
    ~SheetSession();

    // The host's way: EditKeySyms runs on the calling thread, which lives on after it, under an
    // owner window of that thread, while `user` works the sheet from another thread. Whatever
    // `user` leaves open is cancelled. Returns when the sheet is gone.
    static void EditAsHost(HMODULE module, const std::function<void(SheetSession&)>& user);
    SheetSession(const SheetSession&) = delete;
    SheetSession& operator=(const SheetSession&) = delete;

    bool IsOpen() const;
    HWND Page(int index) const;          // the page window; shows the page first
    HWND CurrentPage() const;
    void ShowPage(int index) const;
    HWND Control(int page, int id) const { return ::GetDlgItem(Page(page), id); }
    void PressButton(int psbtn) const;   // PSBTN_OK, PSBTN_CANCEL, PSBTN_APPLYNOW
    bool WaitClosed(DWORD timeoutMs = 5000);
    // Returns once the sheet's thread has handled everything sent or posted before.
    void Sync() const;
    // A dialog or message box of the sheet's thread other than the sheet; null on time-out.
    HWND WaitForPopup(DWORD timeoutMs = 5000) const;
    HWND FindPopup() const;
    // A dialog or message box of the sheet's thread, shown or still about to be shown.
    HWND FindBox() const;
    bool IsApplyEnabled() const;

    HWND sheet = nullptr;
    HWND owner = nullptr;
    bool ownerDisabledWhileOpen = false;
    bool ownerEnabledAfter = false;
    DWORD threadId = 0;

private:
    SheetSession(HMODULE module, DWORD sheetThread);
    static DWORD WINAPI Run(void* self);
    void RunSheetHere();
    // Cancels any popup, then the sheet.
    void CloseEverything();
    HMODULE m_module;
    HANDLE m_thread = nullptr;
    HANDLE m_ready = nullptr;
    HANDLE m_closed = nullptr;
};

// Controls, as a user works them.
std::string WindowText(HWND window);
void SetEditText(HWND dialog, int id, const std::string& text);   // WM_SETTEXT: EN_CHANGE follows
void SelectComboRow(HWND dialog, int id, int row);                // with the CBN_SELCHANGE the user's choice sends
void SelectListRow(HWND dialog, int id, int row);                 // with LBN_SELCHANGE
void ClickButton(HWND dialog, int id);                            // sent: for buttons that open no window
void PostClick(HWND dialog, int id);                              // posted: for buttons that open a window
void PostDoubleClick(HWND dialog, int id);
std::vector<std::string> ListRows(HWND list);
std::vector<std::string> ComboRows(HWND combo);
int ListSelection(HWND list);
int ComboSelection(HWND combo);
bool IsEnabled(HWND dialog, int id);

// A string of the English resource library, %1 and %2 filled in.
std::string LibraryString(UINT id, const std::string& arg1 = {}, const std::string& arg2 = {});

// A message box: its text and its buttons.
std::string MessageBoxText(HWND box);
bool HasButton(HWND box, int id);
void Answer(HWND box, int id);                                    // posts the button's click
bool WaitGone(HWND window, DWORD timeoutMs = 5000);

// The editor's language, chosen through the locale settings as a user chooses it.
void ChooseUiLanguage(const std::string& code);
void ClearUiLanguage();

}  // namespace kstest
