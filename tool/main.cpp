// keysymtool.exe: the keysym file from the command line, with the editor's store, rules and
// save. Data goes to standard output, messages to standard error; see kToolUsage.
#include "frame/Product.h"
#include "locale/ResourceLibrary.h"
#include "locale/Strings.h"
#include "tool/ToolArguments.h"
#include "tool/ToolCommands.h"
#include "tool/ToolConsole.h"
#include "tool/ToolTexts.h"

#include <shellapi.h>

namespace {

// The arguments after the program name as the command line gives them (wide), in the ANSI
// code page the store works in. False, with the first one that holds characters the code
// page cannot spell: turned into "?" it would name another set or keysym.
bool AnsiArguments(std::vector<std::string>& args, std::string& unspellable)
{
    int count = 0;
    LPWSTR* wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (!wide) return false;
    bool spelt = true;
    for (int i = 1; i < count && spelt; ++i) {
        const int length = lstrlenW(wide[i]);
        std::string ansi;
        BOOL lossy = FALSE;
        if (length > 0) {
            const int n = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide[i], length, nullptr, 0, nullptr,
                                                &lossy);
            ansi.resize(static_cast<size_t>(n > 0 ? n : 0));
            if (n > 0)
                ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide[i], length, ansi.data(), n, nullptr, &lossy);
            else
                lossy = TRUE;
        }
        if (lossy) {
            unspellable = ansi;
            spelt = false;
        }
        args.push_back(std::move(ansi));
    }
    ::LocalFree(wide);
    return spelt;
}

}  // namespace

int main()
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
        std::vector<std::string> args;
        std::string unspellable;
        if (!AnsiArguments(args, unspellable)) {
            err.Line(FormatText(kTextUnspellable, unspellable));
            status = kToolRefused;
        } else if (!ParseToolArguments(args, request, problem)) {
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
