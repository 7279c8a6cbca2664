#include "frame/KeySymApp.h"
#include "frame/MakerLibraries.h"
#include "locale/ResourceLibrary.h"
#include "resources/resource.h"
#include <io.h>

namespace {
// Registered at static construction, before the application object.
const UINT g_changeMessage = ::RegisterWindowMessageA(kChangeMessageName);
CKeySymApp theApp;

// A directory by number, lower-cased; empty when the service gives none.
std::string ProductDirectory(int which)
{
    char buffer[MAX_PATH] = {};
    GetProductDirectory(which, buffer, MAX_PATH);
    buffer[MAX_PATH - 1] = '\0';
    ::CharLowerA(buffer);
    return buffer;
}

bool PathExists(const std::string& path)
{
    return !path.empty() && _access(path.c_str(), 0) == 0;
}
}

CKeySymApp& GetKeySymApp() { return theApp; }

int CKeySymApp::InitInstance()
{
    HMODULE resources = LoadResourceLibrary(kResourceLibraryName);
    if (!resources) {
        ::MessageBoxA(nullptr, kResourceFailureText, nullptr, MB_OK | MB_ICONHAND);
        return 0;
    }
    m_hResource = resources;
    SetMessageBoxTitleId(IDS_EDITOR_TITLE);

    // Without the installation directory only help is lost; the keysyms stay editable.
    const std::string installDir = ProductDirectory(kInstallDirectory);
    if (PathExists(installDir)) {
        m_strInstallDir = installDir;
        m_strHelpFile = m_strInstallDir + "\\" + kHelpFileName;
        m_pszHelpFilePath = m_strHelpFile.c_str();
    }

    m_strUserDir = ProductDirectory(kUserDirectory);
    if (!PathExists(m_strUserDir))
        return 0;
    m_strKeySymFile = m_strUserDir + "\\" + kKeySymFileName;
    LoadKeySymFile(m_strKeySymFile);
    return 1;
}

int CKeySymApp::ExitInstance()
{
    m_pszHelpFilePath = nullptr;
    if (m_bChanged) {
        DWORD_PTR ignored = 0;
        ::SendMessageTimeoutA(HWND_BROADCAST, g_changeMessage, 0, 0, SMTO_ABORTIFHUNG,
                              kChangeNotifyTimeoutMs, &ignored);
    }
    m_keySyms.clear();
    if (m_hResource && m_hResource != m_hInstance) {
        ::FreeLibrary(m_hResource);
        m_hResource = nullptr;
    }
    return CWinApp::ExitInstance();
}

bool CKeySymApp::OnCommand(UINT id)
{
    if (id != ID_HELP)
        return false;
    OnHelp();
    return true;
}

void CKeySymApp::OnHelp()
{
    LaunchHelp(nullptr, m_pszHelpFilePath, HELP_CONTEXT, kHelpContext);
}

void CKeySymApp::WinHelp(HWND owner, ULONG_PTR data, UINT command)
{
    // The platform's help engine starts whether or not the file is there; a missing file is
    // said at once instead.
    const std::string path = m_pszHelpFilePath ? m_pszHelpFilePath : kHelpFileName;
    if (!PathExists(path) || !::WinHelpA(owner, path.c_str(), command, data))
        ResMessageBox(IDS_HELP_FAILED, MB_OK | MB_ICONEXCLAMATION, path);
}
