// keysymtool.exe: the keysym file from the command line, with the editor's store, rules and
// save. Data goes to standard output, messages to standard error; see kToolUsage.
#include "frame/KeySymApp.h"
#include "framework/WinApp.h"
#include "locale/ResourceLibrary.h"
#include "tool/ToolArguments.h"
#include "tool/ToolCommands.h"
#include "tool/ToolConsole.h"

int main(int argc, char** argv)
{
    // Messages come from the editor's resource library in the editor's language, found
    // beside this program; its own English strings stand in for a missing one.
    CWinApp app;
    app.m_hInstance = ::GetModuleHandleA(nullptr);
    app.m_hResource = LoadResourceLibrary(kResourceLibraryName);
    if (!app.m_hResource)
        app.m_hResource = app.m_hInstance;

    int status = kToolBadUsage;
    {
        ToolStream out(STD_OUTPUT_HANDLE);
        ToolStream err(STD_ERROR_HANDLE);
        ToolRequest request;
        std::string problem;
        const std::vector<std::string> args(argv + 1, argv + argc);
        if (!ParseToolArguments(args, request, problem)) {
            err.Line("keysymtool: " + problem);
            err.Bytes(kToolShortUsage);
        } else if (request.help) {
            out.Bytes(kToolUsage);
            status = kToolDone;
        } else {
            status = RunToolCommand(request, out, err);
        }
    }
    if (app.m_hResource != app.m_hInstance)
        ::FreeLibrary(app.m_hResource);
    return status;
}
