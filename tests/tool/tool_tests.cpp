// keysymtool.exe as a script sees it: a command line in, an exit status, standard output
// and standard error out, the keysym file before and after, and the change notification.
#include "EditorDriver.h"
#include "resources/resource.h"
#include "store/KeySymStore.h"
#include <gtest/gtest.h>
#include <algorithm>

using namespace kstest;

namespace {
const char kLocaleKey[] = "Software\\Varrowin\\Tessaline\\11.00\\Locale";

struct ToolRun {
    DWORD exitCode = 0xFFFFFFFF;
    std::string out;
    std::string err;
    int notifications = 0;   // KEYSYMEDITOR messages that reached this program meanwhile
};

// A top-level window of this program that counts the change notifications.
class NotificationCounter {
public:
    NotificationCounter()
    {
        WNDCLASSA cls{};
        cls.lpfnWndProc = Proc;
        cls.lpszClassName = "KeySymToolNotificationCounter";
        ::RegisterClassA(&cls);
        m_window = ::CreateWindowExA(0, cls.lpszClassName, "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                     nullptr, nullptr);
    }
    ~NotificationCounter() { ::DestroyWindow(m_window); }
    static inline int count = 0;

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        static const UINT changed = ::RegisterWindowMessageA("KEYSYMEDITOR");
        if (message == changed)
            ++count;
        return ::DefWindowProcA(window, message, wParam, lParam);
    }
    HWND m_window;
};

HANDLE InheritableFile(const std::string& path)
{
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    return ::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                         CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// Runs keysymtool.exe from the test's folder with `arguments`, as a script would, while
// this thread keeps answering the messages sent to its windows.
// `device`, when given, is standard output instead of a file (Z:\\dev\\full: a full disk).
ToolRun RunTool(const std::string& arguments, const std::string& folder = BinDir(), const char* device = nullptr)
{
    static NotificationCounter counter;
    ToolRun run;
    const std::string outPath = folder + "\\tool-out.txt", errPath = folder + "\\tool-err.txt";
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE out = device ? ::CreateFileA(device, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                                        OPEN_EXISTING, 0, nullptr)
                        : InheritableFile(outPath);
    HANDLE err = InheritableFile(errPath);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = nullptr;
    startup.hStdOutput = out;
    startup.hStdError = err;
    PROCESS_INFORMATION process{};
    std::string command = "\"" + folder + "\\keysymtool.exe\" " + arguments;
    const int before = NotificationCounter::count;
    const BOOL started = ::CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                          folder.c_str(), &startup, &process);
    ::CloseHandle(out);
    ::CloseHandle(err);
    EXPECT_TRUE(started) << command;
    if (!started)
        return run;
    const DWORD start = ::GetTickCount();
    while (::MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, 1000, QS_ALLINPUT) != WAIT_OBJECT_0 &&
           ::GetTickCount() - start < 30000) {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageA(&msg);
    }
    EXPECT_EQ(::WaitForSingleObject(process.hProcess, 0), WAIT_OBJECT_0) << command << " did not finish";
    ::GetExitCodeProcess(process.hProcess, &run.exitCode);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    run.out = ReadFileBytes(outPath);
    run.err = ReadFileBytes(errPath);
    run.notifications = NotificationCounter::count - before;
    ::DeleteFileA(outPath.c_str());
    ::DeleteFileA(errPath.c_str());
    return run;
}

std::string Quote(const std::string& text) { return "\"" + text + "\""; }

// What the tool prints for a library message: one line.
std::string MessageLine(UINT id, const std::string& arg1 = {}, const std::string& arg2 = {})
{
    return LibraryString(id, arg1, arg2) + "\r\n";
}

// A keysym file in a folder of its own, named on the command line with --file.
struct FileUnderTest {
    explicit FileUnderTest(const std::string& bytes = {})
        : dir(MakeTempDir("tool")), path(dir + "\\keysyms.kbs")
    {
        if (!bytes.empty())
            WriteFileBytes(path, bytes);
    }
    ~FileUnderTest() { RemoveTree(dir); }
    ToolRun Run(const std::string& arguments) const { return RunTool("--file " + Quote(path) + " " + arguments); }
    std::string Bytes() const { return ReadFileBytes(path); }
    std::string dir, path;
};

const char kGreekLatin[] =
    "[main]\r\nGreek=1\r\nLatin=1\r\n"
    "[Greek]\r\nAlpha=7c1\r\nalpha=7e1\r\nbeta=7e2\r\n"
    "[Latin]\r\nAgrave=c0\r\nagrave=e0\r\n";

// A registry value of the locale settings under HKCU; empty removes it.
void SetLocaleValue(const char* name, const std::string& value)
{
    HKEY key;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, kLocaleKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return;
    if (value.empty())
        ::RegDeleteValueA(key, name);
    else
        ::RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                         static_cast<DWORD>(value.size() + 1));
    ::RegCloseKey(key);
}
}  // namespace

// Reading commands: data on standard output, tab-separated, CR LF; the file untouched.
TEST(KeySymTool, ReadingCommandsPrintDataAndLeaveTheFileAlone)
{
    FileUnderTest file(kGreekLatin);
    ToolRun run = file.Run("list");
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_EQ(run.out, "Greek\t3\r\nLatin\t2\r\n");
    EXPECT_EQ(run.err, "");

    run = file.Run("list \" latin \"");
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_EQ(run.out, "Agrave\tc0\r\nagrave\te0\r\n");

    // Hits in the search page's order and by its rules.
    EXPECT_EQ(file.Run("find a").out, "Latin\tAgrave\tc0\r\nGreek\tAlpha\t7c1\r\nLatin\tagrave\te0\r\nGreek\talpha\t7e1\r\n");
    EXPECT_EQ(file.Run("find A --match-case").out, "Latin\tAgrave\tc0\r\nGreek\tAlpha\t7c1\r\n");
    EXPECT_EQ(file.Run("find ALPHA --whole-name").out, "Greek\tAlpha\t7c1\r\nGreek\talpha\t7e1\r\n");
    EXPECT_EQ(file.Run("find alph --whole-name --match-case").exitCode, 1u);

    run = file.Run("find zeta");
    EXPECT_EQ(run.exitCode, 1u);
    EXPECT_EQ(run.out + run.err, "");

    run = file.Run("list Cyrillic");
    EXPECT_EQ(run.exitCode, 1u);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("Cyrillic"), std::string::npos);

    run = file.Run("export Greek -");
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_NE(run.out.find("Alpha\t:7C1\n"), std::string::npos) << run.out;
    EXPECT_EQ(run.notifications, 0);
    EXPECT_EQ(file.Bytes(), kGreekLatin);
}

// A script's session of changes: each saved change is written whole with the editor's
// layout and announced once; every refusal prints the editor's own message, changes
// nothing and announces nothing.
TEST(KeySymTool, ChangesAreSavedAndAnnouncedRefusalsChangeNothing)
{
    FileUnderTest file(kGreekLatin);
    struct Step {
        const char* arguments;
        DWORD exitCode;
        std::string err;
    };
    const Step steps[] = {
        {"add Greek gamma 7e3", 0, ""},
        {"add \" greek \" delta 7E4", 0, ""},
        {"edit beta 7E5", 0, ""},
        {"remove agrave", 0, ""},
        {"add-set \"  Cyrillic \"", 0, ""},
        {"rename-set latin Roman", 0, ""},
        {"add Greek alpha 1", 1, MessageLine(IDS_KEYSYM_NAME_USED, "alpha", "Greek")},
        {"add Roman \"a b\" 1", 1, MessageLine(IDS_KEYSYM_NAME_INVALID, "a b")},
        {"add Roman x@y 1", 1, MessageLine(IDS_KEYSYM_NAME_INVALID, "x@y")},
        {"add Roman ;x 1", 1, MessageLine(IDS_KEYSYM_NAME_UNSTORABLE, ";x")},
        {"add Roman x=y 1", 1, MessageLine(IDS_KEYSYM_NAME_UNSTORABLE, "x=y")},
        {"add Roman x 123456789", 1, "The value \"123456789\" is not 1 to 8 hexadecimal digits.\r\n"},
        {"add Roman x 7g", 1, "The value \"7g\" is not 1 to 8 hexadecimal digits.\r\n"},
        {"add Roman abcdefghijabcdefghijabcdefghijk 1", 1,
         "The keysym name \"abcdefghijabcdefghijabcdefghijk\" is longer than 30 characters.\r\n"},
        {"edit zeta 1", 1, "There is no keysym \"zeta\".\r\n"},
        {"add-set GREEK", 1, MessageLine(IDS_SET_NAME_TAKEN, "GREEK", "Greek")},
        {"add-set \"   \"", 1, MessageLine(IDS_SET_NAME_BLANK)},
        {"add-set a[b", 1, MessageLine(IDS_SET_NAME_UNSTORABLE, "a[b")},
        {"rename-set Roman main", 1, MessageLine(IDS_SET_NAME_UNSTORABLE, "main")},
        {"remove-set Latin", 1, "There is no set \"Latin\".\r\n"},
    };
    for (const Step& step : steps) {
        const std::string before = file.Bytes();
        const ToolRun run = file.Run(step.arguments);
        EXPECT_EQ(run.exitCode, step.exitCode) << step.arguments;
        EXPECT_EQ(run.err, step.err) << step.arguments;
        EXPECT_EQ(run.out, "") << step.arguments;
        EXPECT_EQ(run.notifications, step.exitCode == 0 ? 1 : 0) << step.arguments;
        if (step.exitCode != 0) {
            EXPECT_EQ(file.Bytes(), before) << step.arguments;
        }
    }
    EXPECT_EQ(file.Bytes(),
              "[main]\r\nCyrillic=1\r\nGreek=1\r\nRoman=1\r\n"
              "[Cyrillic]\r\n"
              "[Greek]\r\nAlpha=7c1\r\nalpha=7e1\r\nbeta=7E5\r\ndelta=7E4\r\ngamma=7e3\r\n"
              "[Roman]\r\nAgrave=c0\r\n");

    // A change to what is already there changes nothing and tells no one.
    ToolRun run = file.Run("edit beta 7E5");
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_EQ(run.notifications, 0);

    run = file.Run("remove-set greek");
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_EQ(file.Run("list").out, "Cyrillic\t0\r\nRoman\t1\r\n");
    EXPECT_TRUE(ListFiles(file.dir, "*.tmp").empty());
}

// Messages in the language the editor would choose, from the library beside the tool.
TEST(KeySymTool, RefusalsSpeakTheEditorsLanguage)
{
    FileUnderTest file(kGreekLatin);
    SetLocaleValue("Language Search Method", "1");
    SetLocaleValue("Default UI Language", "deu");
    SetLocaleValue("Available UI Languages", "eng deu");
    const ToolRun run = file.Run("add-set greek");
    SetLocaleValue("Language Search Method", "");
    SetLocaleValue("Default UI Language", "");
    SetLocaleValue("Available UI Languages", "");

    HMODULE german = ::LoadLibraryExA((BinDir() + "\\tavrel.deu.nls").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    char text[1024] = {};
    ::LoadStringA(german, IDS_SET_NAME_TAKEN, text, sizeof text);
    ::FreeLibrary(german);
    std::string expected = text;
    expected.replace(expected.find("%1"), 2, "greek");
    expected.replace(expected.find("%2"), 2, "Greek");
    EXPECT_EQ(run.exitCode, 1u);
    EXPECT_EQ(run.err, expected + "\r\n");
}

// Without --file: keysyms.kbs in the user's directory of the directory service.
TEST(KeySymTool, UsersFileIsFoundAsTheEditorFindsIt)
{
    ModuleFixture dirs("", false);
    ToolRun run = RunTool("list");
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_EQ(run.out + run.err, "");
    EXPECT_FALSE(FileExists(dirs.keySymFile)) << "a reading command made the file";

    run = RunTool("add-set Greek");
    EXPECT_EQ(run.exitCode, 0u) << run.err;
    EXPECT_EQ(ReadFileBytes(dirs.keySymFile), "[main]\r\nGreek=1\r\n[Greek]\r\n");

    ModuleFixture::SetDirectory(0, dirs.root + "\\Gone");
    run = RunTool("list");
    EXPECT_EQ(run.exitCode, 3u);
    EXPECT_NE(run.err.find("gone"), std::string::npos) << run.err;
}

// A save that fails leaves the old file as it was, byte for byte, and exits 3.
TEST(KeySymTool, FailedSaveKeepsTheOldFile)
{
    FileUnderTest file(kGreekLatin);
    HANDLE held = ::CreateFileA(file.path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const ToolRun run = file.Run("add Greek gamma 7e3");
    ::CloseHandle(held);
    EXPECT_EQ(run.exitCode, 3u);
    EXPECT_NE(run.err, "");
    EXPECT_EQ(run.notifications, 0);
    EXPECT_EQ(file.Bytes(), kGreekLatin);
    EXPECT_TRUE(ListFiles(file.dir, "*.tmp").empty());
}

// Import as the set page imports, into a set made for it; the skipped lines on standard
// error; the result exported again.
TEST(KeySymTool, ImportIntoNewSetAndExport)
{
    FileUnderTest file(kGreekLatin);
    const std::string source = file.dir + "\\XKeysymDB";
    WriteFileBytes(source, "! vendor keysyms\nhpmute_acute : 100000A8\nnot a keysym line\nalpha : 7e1\nhpIO : 1000FF5F\n");
    ToolRun run = file.Run("import " + Quote(source) + " \" Vendor \"");
    EXPECT_EQ(run.exitCode, 0u) << run.err;
    EXPECT_EQ(run.notifications, 1);
    // Each skipped line, then the summary the set page shows.
    std::string summary = LibraryString(IDS_IMPORT_SKIPPED, "2", "3");
    const std::string reason = LibraryString(IDS_SKIP_NOT_KEYSYM_LINE, "not a keysym line");
    summary.replace(summary.find("%3"), 2, reason);
    EXPECT_EQ(run.err, source + "(3): " + reason + "\r\n" + source + "(4): " +
                           LibraryString(IDS_KEYSYM_NAME_USED, "alpha", "Greek") + "\r\n" + summary + "\r\n");
    EXPECT_EQ(file.Run("list Vendor").out, "hpIO\t1000FF5F\r\nhpmute_acute\t100000A8\r\n");

    const std::string exported = file.dir + "\\out.db";
    run = file.Run("export vendor " + Quote(exported));
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_EQ(ReadFileBytes(exported), file.Run("export Vendor -").out);
}

// A file the editor's save wrote has nothing to report; a hand-edited one has each of its
// problems reported once, with its line.
TEST(KeySymTool, CheckReportsWhatTheEditorWouldNotShowOrWouldLose)
{
    FileUnderTest file;
    CKeySymStore store;
    store.m_strUserDir = file.dir;
    store.m_strKeySymFile = file.path;
    store.m_setNames = {"Empty", "Greek", "Latin"};
    store.m_keySyms["alpha"] = std::make_unique<CKeySymEntry>("7e1", 1);
    store.m_keySyms["Agrave"] = std::make_unique<CKeySymEntry>("1FFFFFFF", 2);
    ASSERT_TRUE(store.SaveKeySymFile());
    ToolRun run = file.Run("check");
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_EQ(run.out + run.err, "");

    WriteFileBytes(file.path,
                   "[main]\r\n"          // 1
                   "Greek=1\r\n"         // 2
                   "GREEK=1\r\n"         // 3  listed twice
                   "Latin\r\n"           // 4  no "="
                   "[Greek]\r\n"         // 5
                   "alpha=7e1\r\n"       // 6
                   "a b=1\r\n"           // 7  refused name
                   "beta=20000000\r\n"   // 8  too large
                   "gamma=7x\r\n"        // 9  not hex
                   "[Other]\r\n"         // 10 listed by no set
                   "x=1\r\n"             // 11
                   "[greek]\r\n"         // 12 read never
                   "alpha=1\r\n");       // 13
    run = file.Run("check");
    EXPECT_EQ(run.exitCode, 1u);
    std::vector<std::string> lines;
    for (size_t at = 0, end; (end = run.out.find("\r\n", at)) != std::string::npos; at = end + 2)
        lines.push_back(run.out.substr(at, end - at).substr(0, run.out.substr(at, end - at).find(':')));
    EXPECT_EQ(lines, (std::vector<std::string>{"line 3", "line 4", "line 7", "line 8", "line 9", "line 10", "line 12"}))
        << run.out;

    // A keysym in two sets, and no set list at all.
    WriteFileBytes(file.path, "[main]\r\nA=1\r\nB=1\r\n[A]\r\nk=1\r\n[B]\r\nk=2\r\n");
    run = file.Run("check");
    EXPECT_EQ(run.out.substr(0, 8), "line 7: ") << run.out;
    WriteFileBytes(file.path, "[A]\r\nk=1\r\n");
    run = file.Run("check");
    EXPECT_EQ(run.out.substr(0, 15), "There is no [ma") << run.out;
}

TEST(KeySymTool, BadUsageExitsTwoWithUsage)
{
    for (const char* arguments : {"", "frobnicate", "list a b", "add Greek x", "list --match-case", "--file", "find \"\""}) {
        const ToolRun run = RunTool(arguments);
        EXPECT_EQ(run.exitCode, 2u) << arguments;
        EXPECT_NE(run.err.find("usage: keysymtool"), std::string::npos) << arguments;
    }
    for (const char* arguments : {"--help", "-h", "/?", "list /?"}) {
        const ToolRun help = RunTool(arguments);
        EXPECT_EQ(help.exitCode, 0u) << arguments;
        EXPECT_NE(help.out.find("rename-set SET NEWNAME"), std::string::npos) << arguments;
    }
    // Output that cannot be written is a failure, said where it still can be.
    const ToolRun full = RunTool("--help", BinDir(), "Z:\\dev\\full");
    EXPECT_EQ(full.exitCode, 3u);
    EXPECT_NE(full.err, "");
}

// What a script needs of import and export: the file's fault is exit 1 and changes nothing;
// a change that changes nothing is not written or announced; long reports are cut to ten
// lines and a count unless --verbose; the export formats and the names they leave out.
TEST(KeySymTool, ImportAndExportForScripts)
{
    FileUnderTest file(kGreekLatin);
    const std::string source = file.dir + "\\in.db";
    ToolRun run = file.Run("import " + Quote(file.dir + "\\missing.db") + " New");
    EXPECT_EQ(run.exitCode, 1u);
    EXPECT_EQ(run.err, MessageLine(IDS_READ_FAILED, file.dir + "\\missing.db"));
    for (const char* bytes : {"", "! only a comment\n\n", "#ifndef X\n#define X\n#endif\n"}) {
        WriteFileBytes(source, bytes);
        run = file.Run("import " + Quote(source) + " New");
        EXPECT_EQ(run.exitCode, 1u) << bytes;
        EXPECT_EQ(run.err, MessageLine(IDS_IMPORT_NO_KEYSYMS, source)) << bytes;
    }
    // Every line already there: twelve skips, ten of them listed; no set made, nothing written.
    std::string lines;
    for (int i = 0; i < 12; ++i) lines += "alpha : 7e1\n";
    WriteFileBytes(source, lines);
    for (const char* set : {"Greek", "New"}) {
        run = file.Run("import " + Quote(source) + " " + set);
        EXPECT_EQ(run.exitCode, 0u) << run.err;
        EXPECT_EQ(run.notifications, 0);
        EXPECT_EQ(file.Bytes(), kGreekLatin);
        EXPECT_NE(run.err.find("(2 more not shown"), std::string::npos) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 12) << run.err;
    }
    run = file.Run("import " + Quote(source) + " Greek --verbose");
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 13) << run.err;
    // An edit to the same value in other letter case.
    run = file.Run("edit alpha 7E1");
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_EQ(run.notifications, 0);
    EXPECT_EQ(file.Bytes(), kGreekLatin);

    // A header export; a name neither format can carry is left out, named, and exit 1.
    run = file.Run("export Greek - --format header");
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_EQ(run.out, "/* Keysyms of the set Greek */\n#define XK_Alpha 0x7C1\n#define XK_alpha 0x7E1\n#define XK_beta 0x7E2\n");
    ASSERT_EQ(file.Run("add Greek a.b 1").exitCode, 0u);
    run = file.Run("export Greek -");
    EXPECT_EQ(run.exitCode, 1u);
    EXPECT_EQ(run.err, "a.b\r\n" + MessageLine(IDS_EXPORT_LEFT_OUT_ONE, "1", "a.b"));
    EXPECT_EQ(run.out.find("a.b"), std::string::npos);
    run = file.Run("export Greek " + Quote(file.dir + "\\no such folder\\x.h") + " --format header");
    EXPECT_EQ(run.exitCode, 1u);
    EXPECT_EQ(run.err, MessageLine(IDS_WRITE_FAILED, file.dir + "\\no such folder\\x.h"));
    EXPECT_EQ(file.Run("list --format header").exitCode, 2u);
}
