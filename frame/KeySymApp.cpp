#include "frame/KeySymApp.h"
#include "frame/MakerLibraries.h"
#include "locale/ResourceLibrary.h"
#include "locale/MessageBoxes.h"
#include "locale/Strings.h"
#include "resources/resource.h"

namespace {
// Registered at static construction, before the application object.
const UINT g_changeMessage = RegisterChangeMessage();
CKeySymApp theApp;
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
    SetStringSources(resources, m_hInstance);
    SetMessageBoxTitleId(IDS_EDITOR_TITLE);

    // Without the installation directory only help is lost; the keysyms stay editable.
    const std::string installDir = ProductDirectory(GetProductDirectory, kInstallDirectory);
    if (PathExists(installDir)) {
        m_strInstallDir = installDir;
        m_strHelpFile = PathInFolder(m_strInstallDir, kHelpFileName);
        m_pszHelpFilePath = m_strHelpFile.c_str();
    }

    if (!FindUserKeySymFile(GetProductDirectory, m_strUserDir, m_strKeySymFile))
        return 0;
    LoadKeySymFile(m_strKeySymFile);
    return 1;
}

int CKeySymApp::ExitInstance()
{
    m_pszHelpFilePath = nullptr;
    if (m_bChanged)
        BroadcastChange(g_changeMessage);
    m_keySyms.clear();
    if (m_hResource && m_hResource != m_hInstance) {
        ::FreeLibrary(m_hResource);
        m_hResource = nullptr;
    }
    SetStringSources(nullptr, nullptr);
    return CWinApp::ExitInstance();
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
