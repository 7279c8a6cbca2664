#pragma once
// The module's application object: the keysym store, its paths, start-up and shut-down.
#include "frame/Product.h"
#include "framework/WinApp.h"
#include "store/KeySymStore.h"
#include <string>

class CKeySymApp : public CWinApp, public CKeySymStore {
public:
    CKeySymApp() = default;

    int InitInstance() override;
    int ExitInstance() override;
    // Alt+H: the platform's help engine over the help file; a failure is reported.
    void WinHelp(HWND owner, ULONG_PTR data, UINT command) override;

    // The pages' Help button: the help file at the editor's topic.
    void OnHelp() override;
};

// The module's one application object.
CKeySymApp& GetKeySymApp();

// Fixed texts and numbers of the module itself.
inline constexpr char kResourceFailureText[] = "Unable to load resources";
inline constexpr ULONG_PTR kHelpContext = 1000102;
