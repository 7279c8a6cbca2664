#pragma once
// The application object of a library module: InitInstance/ExitInstance driven from DllMain,
// the module's resource handle, the help path, and the module's command routing.
#include <windows.h>
#include <string>

class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // Zero means start-up failed: the load then fails after ExitInstance has run.
    virtual int InitInstance() { return 1; }
    virtual int ExitInstance() { return 0; }
    // Commands that reach the application object (the pages' Help button sends ID_HELP).
    virtual bool OnCommand(UINT id) { (void)id; return false; }
    // Window help (Alt+H on the sheet): opens the help file at a topic.
    virtual void WinHelp(HWND owner, ULONG_PTR data, UINT command);

    // Called from the module's DllMain.
    BOOL ProcessAttach(HINSTANCE module);
    void ProcessDetach();

    HINSTANCE m_hInstance = nullptr;     // the module itself
    HANDLE m_hActCtx = INVALID_HANDLE_VALUE;   // from the module's own manifest (resource 24, id 2)
    HINSTANCE m_hResource = nullptr;     // where templates and strings come from
    const char* m_pszHelpFilePath = nullptr;

private:
    void ReleaseModuleState();
    bool m_bRunning = false;
};

CWinApp* AfxGetApp();

// While it lives, the module's own activation context is the thread's: windows made then use
// the controls its manifest asks for. Around every window the module shows.
class CActivationScope {
public:
    CActivationScope();
    ~CActivationScope();
    CActivationScope(const CActivationScope&) = delete;
    CActivationScope& operator=(const CActivationScope&) = delete;

private:
    ULONG_PTR m_cookie = 0;
    bool m_active = false;
};

HINSTANCE AfxGetResourceHandle();

// The window that owns the module's next popup: the active window, or else the innermost
// modal window of this thread (the sheet, a dialog) when the thread is not in front.
HWND AfxGetPopupOwner();
void PushModalWindow(HWND window);
void PopModalWindow(HWND window);

// Strings of the resource library; a string the library lacks comes from the module's own
// string table (its fallback texts), else it is empty.
std::string LoadResString(UINT id);
// The same as Unicode text, for texts that must show characters outside the ANSI code page.
std::wstring LoadResStringW(UINT id);
// Replaces %1, %2 and %3 in a text.
std::string FormatText(const std::string& text, const std::string& arg1 = {}, const std::string& arg2 = {},
                       const std::string& arg3 = {});
std::string FormatResString(UINT id, const std::string& arg1 = {}, const std::string& arg2 = {},
                            const std::string& arg3 = {});
// A message box from a string-table text, owned by the active window, captioned with `titleId`.
int ResMessageBox(UINT id, UINT flags, const std::string& arg1 = {}, const std::string& arg2 = {},
                  const std::string& arg3 = {});
// The same for a text already put together from string-table texts.
int TextMessageBox(const std::string& text, UINT flags);
void SetMessageBoxTitleId(UINT titleId);
// Report an exception that reached a window procedure boundary; never throws.
void ReportCaughtException() noexcept;
