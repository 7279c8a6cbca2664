#include "framework/WinApp.h"
#include <exception>
#include <new>

namespace {
CWinApp* g_app = nullptr;

// The innermost modal window of each thread lives in a thread-local slot of our own, and each
// modal window remembers the one it covers in a window property. A slot holds no object
// with a destructor, so nothing keeps the module loaded after the host frees it.
DWORD g_modalSlot = TLS_OUT_OF_INDEXES;
const char kCoveredModalProp[] = "CoveredModalWindow";

HWND InnermostModalWindow()
{
    return g_modalSlot == TLS_OUT_OF_INDEXES ? nullptr : static_cast<HWND>(::TlsGetValue(g_modalSlot));
}
}

HWND AfxGetPopupOwner()
{
    if (HWND active = ::GetActiveWindow())
        return active;
    HWND modal = InnermostModalWindow();
    return modal && ::IsWindow(modal) ? modal : nullptr;
}

void PushModalWindow(HWND window)
{
    if (g_modalSlot == TLS_OUT_OF_INDEXES)
        return;
    ::SetPropA(window, kCoveredModalProp, InnermostModalWindow());
    ::TlsSetValue(g_modalSlot, window);
}

void PopModalWindow(HWND window)
{
    if (g_modalSlot == TLS_OUT_OF_INDEXES)
        return;
    HWND covered = static_cast<HWND>(::RemovePropA(window, kCoveredModalProp));
    if (InnermostModalWindow() == window)
        ::TlsSetValue(g_modalSlot, covered);
}

CWinApp::CWinApp() { g_app = this; }
CWinApp::~CWinApp() { if (g_app == this) g_app = nullptr; }

CWinApp* AfxGetApp() { return g_app; }

CActivationScope::CActivationScope()
{
    if (g_app && g_app->m_hActCtx != INVALID_HANDLE_VALUE)
        m_active = ::ActivateActCtx(g_app->m_hActCtx, &m_cookie) != FALSE;
}

CActivationScope::~CActivationScope()
{
    if (m_active)
        ::DeactivateActCtx(0, m_cookie);
}
HINSTANCE AfxGetResourceHandle() { return g_app ? g_app->m_hResource : nullptr; }

void CWinApp::WinHelp(HWND owner, ULONG_PTR data, UINT command)
{
    if (m_pszHelpFilePath)
        ::WinHelpA(owner, m_pszHelpFilePath, command, data);
}

BOOL CWinApp::ProcessAttach(HINSTANCE module)
{
    g_modalSlot = ::TlsAlloc();
    m_hInstance = module;
    ACTCTXA context{};
    context.cbSize = sizeof context;
    context.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
    context.hModule = module;
    context.lpResourceName = MAKEINTRESOURCEA(2);
    m_hActCtx = ::CreateActCtxA(&context);
    m_hResource = module;
    int ok = 0;
    try {
        ok = InitInstance();
    } catch (...) {
        ok = 0;
    }
    if (!ok) {
        try { ExitInstance(); } catch (...) {}
        ReleaseModuleState();
        return FALSE;
    }
    m_bRunning = true;
    return TRUE;
}

void CWinApp::ProcessDetach()
{
    // A failed start-up has already shut down; the loader still sends the detach.
    if (!m_bRunning)
        return;
    m_bRunning = false;
    try { ExitInstance(); } catch (...) {}
    ReleaseModuleState();
}

void CWinApp::ReleaseModuleState()
{
    if (g_modalSlot != TLS_OUT_OF_INDEXES)
        ::TlsFree(g_modalSlot);
    g_modalSlot = TLS_OUT_OF_INDEXES;
    if (m_hActCtx != INVALID_HANDLE_VALUE)
        ::ReleaseActCtx(m_hActCtx);
    m_hActCtx = INVALID_HANDLE_VALUE;
}

void ReportCaughtException() noexcept
{
    CActivationScope scope;
    try {
        throw;
    } catch (const std::bad_alloc&) {
        char text[256] = "Out of memory.";
        ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                         ERROR_NOT_ENOUGH_MEMORY, 0, text, sizeof text, nullptr);
        ::MessageBoxA(AfxGetPopupOwner(), text, nullptr, MB_OK | MB_ICONHAND);
    } catch (const std::exception& e) {
        ::MessageBoxA(AfxGetPopupOwner(), e.what(), nullptr, MB_OK | MB_ICONHAND);
    } catch (...) {
        ::MessageBoxA(AfxGetPopupOwner(), "Unexpected error.", nullptr, MB_OK | MB_ICONHAND);
    }
}
