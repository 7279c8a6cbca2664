// A help launcher that records its calls instead of opening help: one line per call,
// "owner-is-null|path|command|data", appended to the file named by KS_HELP_LOG.
#include <windows.h>
#include <cstdio>
#include <cstdlib>

extern "C" BOOL WINAPI LaunchHelp(HWND owner, const char* path, UINT command, ULONG_PTR data)
{
    const char* log = std::getenv("KS_HELP_LOG");
    if (!log)
        return FALSE;
    if (FILE* file = std::fopen(log, "ab")) {
        std::fprintf(file, "%d|%s|%u|%llu\n", owner == nullptr ? 1 : 0, path ? path : "(null)", command,
                     static_cast<unsigned long long>(data));
        std::fclose(file);
    }
    return TRUE;
}
