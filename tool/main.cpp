// keysymtool.exe: the keysym file from the command line, with the editor's store, rules and
// save. Data goes to standard output, messages to standard error; see kToolUsage.
#include "frame/Product.h"
#include "locale/ResourceLibrary.h"
#include "locale/Strings.h"
#include "tool/ToolArguments.h"
#include "tool/ToolCommands.h"
#include "tool/ToolConsole.h"
#include "tool/ToolTexts.h"

int main(int argc, char** argv)
{
    // Messages come from the editor's resource library in the editor's language, found
    // beside this program; its own English strings stand in for a missing one.
    HINSTANCE program = ::GetModuleHandleA(nullptr);
    HMODULE resources = LoadResourceLibrary(kResourceLibraryName);
    SetStringSources(resources ? resources : program, program);

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
        // Output a script never got is a failure, not success: a full disk, a closed pipe.
        if (!out.Flush()) {
            err.Line(kTextOutputFailed);
            status = kToolFileFailed;
        }
        if (!err.Flush())
            status = kToolFileFailed;
    }
    SetStringSources(nullptr, nullptr);
    if (resources)
        ::FreeLibrary(resources);
    return status;
}
