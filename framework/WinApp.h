#pragma once
// The application object of a library module: InitInstance/ExitInstance driven from DllMain,
// the module's resource handle and the help path.
#include <windows.h>

class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // Zero means start-up failed: the load then fails after ExitInstance has run.
    virtual int InitInstance() { return 1; }
    virtual int ExitInstance() { return 0; }
    // The Help button of a page.
    virtual void OnHelp() {}
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

// Report an exception that reached a window procedure boundary; never throws.
void ReportCaughtException() noexcept;
