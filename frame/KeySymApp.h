#pragma once
// The module's application object: the keysym store, its paths, start-up and shut-down.
#include "framework/WinApp.h"
#include "store/KeySymStore.h"
#include <string>

class CKeySymApp : public CWinApp, public CKeySymStore {
public:
    CKeySymApp() = default;

    int InitInstance() override;
    int ExitInstance() override;
    bool OnCommand(UINT id) override;
    // Alt+H: the platform's help engine over the help file; a failure is reported.
    void WinHelp(HWND owner, ULONG_PTR data, UINT command) override;

    // The pages' Help button: the help file at the editor's topic.
    void OnHelp();
};

// The module's one application object.
CKeySymApp& GetKeySymApp();

// Fixed names and numbers of the module.
inline constexpr char kResourceLibraryName[] = "tavrel.nls";
inline constexpr char kKeySymFileName[] = "keysyms.kbs";
inline constexpr char kHelpFileName[] = "ombrix.hlp";
inline constexpr char kChangeMessageName[] = "KEYSYMEDITOR";
inline constexpr char kResourceFailureText[] = "Unable to load resources";
inline constexpr int kInstallDirectory = 3;
inline constexpr int kUserDirectory = 0;
inline constexpr ULONG_PTR kHelpContext = 1000102;
// How long one window may take over the change notification before it counts as hung.
inline constexpr UINT kChangeNotifyTimeoutMs = 5000;
