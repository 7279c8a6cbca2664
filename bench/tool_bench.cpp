// keysymtool.exe on a keysym file of 100,000 keysyms in 1,000 sets: the process time (user
// and kernel) and the wall time of each command, the best and the median of several runs.
// Run from the folder that holds keysymtool.exe.
#include "store/KeySymStore.h"
#include <windows.h>
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {
const int kSets = 1000;
const int kKeySymsPerSet = 100;
const int kRuns = 5;

std::string OwnFolder()
{
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.rfind('\\'));
}

double Ms(const FILETIME& t) { return (ULONGLONG(t.dwHighDateTime) << 32 | t.dwLowDateTime) / 10000.0; }

struct Timing {
    double process;
    double wall;
    DWORD exitCode;
};

Timing RunTool(const std::string& folder, const std::string& arguments)
{
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    // Output goes to a file, as a script that keeps it would have it.
    const std::string output = folder + "\\bench-tool-output.txt";
    HANDLE sink = ::CreateFileA(output.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_TEMPORARY, nullptr);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = sink;
    startup.hStdError = sink;
    PROCESS_INFORMATION process{};
    std::string command = "\"" + folder + "\\keysymtool.exe\" " + arguments;
    LARGE_INTEGER frequency, start, end;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&start);
    Timing timing{-1, -1, 0xFFFFFFFF};
    if (::CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                         &startup, &process)) {
        ::WaitForSingleObject(process.hProcess, INFINITE);
        ::QueryPerformanceCounter(&end);
        FILETIME created, exited, kernel, user;
        ::GetProcessTimes(process.hProcess, &created, &exited, &kernel, &user);
        ::GetExitCodeProcess(process.hProcess, &timing.exitCode);
        timing.process = Ms(kernel) + Ms(user);
        timing.wall = double(end.QuadPart - start.QuadPart) * 1000.0 / double(frequency.QuadPart);
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
    }
    ::CloseHandle(sink);
    ::DeleteFileA(output.c_str());
    return timing;
}

void Measure(const char* label, const std::string& folder, const std::vector<std::string>& runs)
{
    std::vector<double> process, wall;
    DWORD exitCode = 0;
    for (const std::string& arguments : runs) {
        const Timing t = RunTool(folder, arguments);
        process.push_back(t.process);
        wall.push_back(t.wall);
        exitCode = std::max(exitCode, t.exitCode);
    }
    std::sort(process.begin(), process.end());
    std::sort(wall.begin(), wall.end());
    std::printf("%-34s process %6.0f ms best %6.0f ms median   wall %6.0f ms median   exit %lu\n", label,
                process.front(), process[process.size() / 2], wall[wall.size() / 2], exitCode);
}
}  // namespace

int main()
{
    const std::string folder = OwnFolder();
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    const std::string dir = std::string(temp) + "ks-tool-bench-" + std::to_string(::GetCurrentProcessId());
    ::CreateDirectoryA(dir.c_str(), nullptr);

    CKeySymStore store;
    store.m_strUserDir = dir;
    store.m_strKeySymFile = dir + "\\keysyms.kbs";
    for (int s = 0; s < kSets; ++s) {
        char name[32];
        std::snprintf(name, sizeof name, "Set%04d", s);
        store.m_setNames.emplace_back(name);
        for (int k = 0; k < kKeySymsPerSet; ++k) {
            char keySym[32], value[16];
            std::snprintf(keySym, sizeof keySym, "Key_%04d_%03d", s, k);
            std::snprintf(value, sizeof value, "%x", 0x1000000 + s * kKeySymsPerSet + k);
            store.m_keySyms[keySym] = std::make_unique<CKeySymEntry>(value, s);
        }
    }
    if (!store.SaveKeySymFile()) {
        std::printf("could not write %s\n", store.m_strKeySymFile.c_str());
        return 1;
    }
    const std::string file = "--file \"" + store.m_strKeySymFile + "\" ";
    std::printf("keysymtool.exe, %d keysyms in %d sets, %d runs each\n", kSets * kKeySymsPerSet, kSets, kRuns);

    const auto same = [&](const std::string& arguments) { return std::vector<std::string>(kRuns, file + arguments); };
    Measure("--help (start-up only)", folder, std::vector<std::string>(kRuns, "--help"));
    Measure("list", folder, same("list"));
    Measure("list Set0500", folder, same("list Set0500"));
    Measure("find key_05 (10,000 hits)", folder, same("find key_05"));
    Measure("find Key_0999_099 --whole-name", folder, same("find Key_0999_099 --whole-name --match-case"));
    Measure("check", folder, same("check"));
    std::vector<std::string> adds;
    for (int i = 0; i < kRuns; ++i)
        adds.push_back(file + "add Set0500 Added_" + std::to_string(i) + " 7e" + std::to_string(i));
    Measure("add (save and broadcast included)", folder, adds);

    ::DeleteFileA(store.m_strKeySymFile.c_str());
    ::RemoveDirectoryA(dir.c_str());
    return 0;
}
