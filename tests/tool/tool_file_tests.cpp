// keysymtool.exe and the keysym file a person also edits: every change keeps the lines the
// editor does not show, writers started together never lose each other's work, and a name
// the file or the code page cannot hold is refused, not altered.
#include "TestFiles.h"
#include "support/PlatformKeySyms.h"
#include "store/KeySymFileLines.h"
#include "store/KeySymStore.h"
#include <gtest/gtest.h>


using namespace kstest;

namespace {

const char kHandEdited[] =
    "; keysyms for the lab, kept by hand\r\n"
    "[main]\r\n"
    "Greek=1\r\n"
    "greek=1\r\n"
    "math=1\r\n"
    "\r\n"
    "[Greek]\r\n"
    "; small letters\r\n"
    "alpha=7e1\r\n"
    "see the chart on the wall\r\n"
    "[math]\r\n"
    "plusminus=b1\r\n"
    "[extras]\r\n"
    "foo=1\r\n"
    "[greek]\r\n"
    "gamma=7e3\r\n";

// keysymtool started with `arguments` (wide, as a shell passes them); its output goes nowhere.
HANDLE StartTool(const std::wstring& arguments)
{
    const std::string bin = BinDir();
    std::wstring command = L"\"" + std::wstring(bin.begin(), bin.end()) + L"\\keysymtool.exe\" " + arguments;
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE nul = ::CreateFileA("NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0,
                               nullptr);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = nul;
    PROCESS_INFORMATION process{};
    const BOOL started = ::CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                         &startup, &process);
    ::CloseHandle(nul);
    EXPECT_TRUE(started);
    if (!started) return nullptr;
    ::CloseHandle(process.hThread);
    return process.hProcess;
}

DWORD Finish(HANDLE process)
{
    DWORD code = 0xFFFFFFFF;
    if (!process) return code;
    EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(process, 60000));
    ::GetExitCodeProcess(process, &code);
    ::CloseHandle(process);
    return code;
}

std::wstring Wide(const std::string& ansi)
{
    std::wstring wide(ansi.size(), L'\0');
    wide.resize(static_cast<size_t>(
        MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(), static_cast<int>(wide.size()))));
    return wide;
}

struct KeySymFolder {
    KeySymFolder() : dir(MakeTempDir("toolfile")), path(dir + "\\keysyms.kbs") {}
    ~KeySymFolder() { RemoveTree(dir); }
    DWORD Run(const std::wstring& arguments) const { return Finish(StartTool(L"--file \"" + Wide(path) + L"\" " + arguments)); }
    std::string dir, path;
};

// The store's view of `path`, and the platform reader's, as text.
std::string StoreReads(const std::string& path)
{
    CKeySymStore store;
    store.LoadKeySymFile(path);
    std::string out;
    for (const std::string& name : store.m_setNames) out += "set " + name + "\n";
    for (const auto& [name, entry] : store.m_keySyms) out += name + " = " + entry->m_strValue + " in " + std::to_string(entry->m_nSet) + "\n";
    return out;
}

std::vector<std::string> ForeignLines(const std::string& path)
{
    const KeySymFileLines file(ReadFileBytes(path));
    const std::vector<std::string_view> lines = file.ForeignLines();
    return std::vector<std::string>(lines.begin(), lines.end());
}

}  // namespace

// Every change keysymtool makes keeps each line the editor does not show, in its order, and
// leaves a file the platform reads as the store does.
TEST(KeySymToolFile, EveryChangeKeepsTheLinesTheEditorDoesNotShow)
{
    KeySymFolder folder;
    WriteFileBytes(folder.path, kHandEdited);
    const std::vector<std::string> foreign = ForeignLines(folder.path);
    ASSERT_EQ(8u, foreign.size());
    const wchar_t* changes[] = {L"add math minus 2d", L"edit alpha 3b1", L"remove plusminus", L"add-set arrows",
                                L"add arrows leftarrow 8fb", L"rename-set math maths", L"remove-set Greek",
                                L"remove-set arrows"};
    for (const wchar_t* change : changes) {
        const std::string what(change, change + wcslen(change));
        EXPECT_EQ(0u, folder.Run(change)) << what;
        EXPECT_EQ(foreign, ForeignLines(folder.path)) << what;
        EXPECT_EQ(StoreReads(folder.path), PlatformKeySyms(folder.path)) << what << "\n" << ReadFileBytes(folder.path);
    }
    EXPECT_NE(std::string::npos, ReadFileBytes(folder.path).find("[maths]\r\n"));
}

// Refusals change nothing: a keysym the file would give to another set, a name the code page
// cannot spell (given wide on the command line), a file marked read-only.
TEST(KeySymToolFile, WhatTheFileCannotHoldIsRefused)
{
    KeySymFolder folder;
    WriteFileBytes(folder.path, kHandEdited);
    EXPECT_EQ(1u, folder.Run(L"add Greek epsilon 7e5"));   // Greek and greek share [Greek]
    EXPECT_EQ(kHandEdited, ReadFileBytes(folder.path));
    CPINFO info{};
    if (GetCPInfo(CP_ACP, &info) && info.MaxCharSize == 1) {
        EXPECT_EQ(1u, folder.Run(L"add-set \x65e5\x672c\x8a9e"));
        EXPECT_EQ(kHandEdited, ReadFileBytes(folder.path));
    }
    ::SetFileAttributesA(folder.path.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(3u, folder.Run(L"add math minus 2d"));
    ::SetFileAttributesA(folder.path.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(kHandEdited, ReadFileBytes(folder.path));
}

// Writers started together: every keysym whose command exited 0 is in the file, and every
// command that exited otherwise changed nothing.
TEST(KeySymToolFile, ConcurrentWritersNeverLoseEachOthersWork)
{
    const std::string edited = kHandEdited;
    const size_t math = edited.find("math=1\r\n");
    std::string start = edited.substr(0, math) + "big=1\r\n" + edited.substr(math) + "[big]\r\n";
    for (int k = 0; k < 3000; ++k) {
        const std::string n = std::to_string(k);
        start.append("k").append(n).append("=").append(n).append("\r\n");
    }
    int losers = 0;
    for (int writers : {2, 4}) {
        for (int round = 0; round < 6; ++round) {
            KeySymFolder folder;
            WriteFileBytes(folder.path, start);
            std::vector<HANDLE> runs;
            for (int w = 0; w < writers; ++w)
                runs.push_back(StartTool(L"--file \"" + Wide(folder.path) + L"\" add math w" + std::to_wstring(w) + L" 1"));
            std::vector<DWORD> codes;
            for (HANDLE run : runs) codes.push_back(Finish(run));
            CKeySymStore store;
            store.LoadKeySymFile(folder.path);
            for (int w = 0; w < writers; ++w) {
                const bool there = store.m_keySyms.count(std::string("w").append(std::to_string(w))) != 0;
                EXPECT_TRUE(codes[w] == 0 ? there : !there && codes[w] == 3)
                    << writers << " writers, round " << round << ", writer " << w << " exited " << codes[w];
                losers += codes[w] != 0;
            }
            EXPECT_EQ(3002u, store.m_keySyms.size() - std::count(codes.begin(), codes.end(), 0u));
            EXPECT_EQ(ForeignLines(folder.path).size(), 8u);
        }
    }
    std::printf("%d of 36 writers found the file changed and changed nothing\n", losers);
}
