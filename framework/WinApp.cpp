#include "framework/WinApp.h"
#include <exception>
#include <algorithm>
#include <new>
#include <vector>

namespace {
CWinApp* g_app = nullptr;
UINT g_titleId = 0;
thread_local std::vector<HWND> t_modalWindows;
}

HWND AfxGetPopupOwner()
{
    if (HWND active = ::GetActiveWindow())
        return active;
    return t_modalWindows.empty() ? nullptr : t_modalWindows.back();
}

void PushModalWindow(HWND window)
{
    try {
        t_modalWindows.push_back(window);
    } catch (...) {
        // Without the entry popups fall back to the active window only.
    }
}

void PopModalWindow(HWND window)
{
    auto found = std::find(t_modalWindows.rbegin(), t_modalWindows.rend(), window);
    if (found != t_modalWindows.rend())
        t_modalWindows.erase(std::next(found).base());
}

CWinApp::CWinApp() { g_app = this; }
CWinApp::~CWinApp() { if (g_app == this) g_app = nullptr; }

CWinApp* AfxGetApp() { return g_app; }
HINSTANCE AfxGetResourceHandle() { return g_app ? g_app->m_hResource : nullptr; }

void CWinApp::WinHelp(HWND owner, ULONG_PTR data, UINT command)
{
    if (m_pszHelpFilePath)
        ::WinHelpA(owner, m_pszHelpFilePath, command, data);
}

BOOL CWinApp::ProcessAttach(HINSTANCE module)
{
    m_hInstance = module;
    m_hResource = module;
    int ok = 0;
    try {
        ok = InitInstance();
    } catch (...) {
        ok = 0;
    }
    if (!ok) {
        try { ExitInstance(); } catch (...) {}
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
}

std::string LoadResString(UINT id)
{
    // LoadStringA cannot say how long a string is; grow until it fits.
    for (int size = 256; size <= 65536; size *= 4) {
        std::vector<char> buffer(size);
        int n = ::LoadStringA(AfxGetResourceHandle(), id, buffer.data(), size);
        if (n < size - 1)
            return std::string(buffer.data(), n > 0 ? n : 0);
    }
    return {};
}

std::string FormatResString(UINT id, const std::string& arg1, const std::string& arg2)
{
    const std::string text = LoadResString(id);
    std::string out;
    out.reserve(text.size() + arg1.size() + arg2.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && (text[i + 1] == '1' || text[i + 1] == '2')) {
            out += text[i + 1] == '1' ? arg1 : arg2;
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

void SetMessageBoxTitleId(UINT titleId) { g_titleId = titleId; }

int ResMessageBox(UINT id, UINT flags, const std::string& arg1, const std::string& arg2)
{
    const std::string text = FormatResString(id, arg1, arg2);
    const std::string title = g_titleId ? LoadResString(g_titleId) : std::string();
    return ::MessageBoxA(AfxGetPopupOwner(), text.c_str(), title.empty() ? nullptr : title.c_str(), flags);
}

void ReportCaughtException() noexcept
{
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
