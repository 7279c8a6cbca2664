// Every text of the editor fits its control with room to spare, as the control's own font
// draws it, in every language and display scale. The display scale is a process's own from
// its start, so each scale is measured by a child run of this program.
#include "EditorDriver.h"
#include "resources/resource.h"
#include <gtest/gtest.h>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using namespace kstest;

namespace {
const char kDesktopKey[] = "Control Panel\\Desktop";
const char kChildVariable[] = "KS_TEXT_FIT_DPI";
const char kMisfit[] = "does not fit:";

std::string Narrow(const std::wstring& text)
{
    const int n = ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(n > 0 ? n - 1 : 0), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, utf8.data(), n, nullptr, nullptr);
    return utf8;
}

// What does not fit among the static, button and check box texts of `window`.
class FitCheck {
public:
    FitCheck(std::string language, std::vector<std::string>& misfits) : m_language(std::move(language)), m_misfits(misfits) {}

    void Measure(HWND window, const std::string& where)
    {
        m_where = where;
        ::EnumChildWindows(window, Visit, reinterpret_cast<LPARAM>(this));
    }

private:
    static BOOL CALLBACK Visit(HWND control, LPARAM self)
    {
        reinterpret_cast<FitCheck*>(self)->MeasureControl(control);
        return TRUE;
    }

    void MeasureControl(HWND control)
    {
        if (!::IsWindowVisible(control))
            return;
        wchar_t className[32] = {};
        ::GetClassNameW(control, className, 32);
        const LONG style = ::GetWindowLongW(control, GWL_STYLE);
        const bool isStatic = ::lstrcmpiW(className, L"Static") == 0, isButton = ::lstrcmpiW(className, L"Button") == 0;
        if (!isStatic && !isButton)
            return;
        std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(control)) + 1, L'\0');
        text.resize(static_cast<size_t>(::GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
        if (text.empty())
            return;

        HDC dc = ::GetDC(control);
        const int dpi = ::GetDeviceCaps(dc, LOGPIXELSY);
        auto scaled = [dpi](int pixels) { return ::MulDiv(pixels, dpi, 96); };
        // Room to spare: two pixels at 96 DPI, more as the scale grows.
        const int spare = scaled(2);
        RECT client{};
        ::GetClientRect(control, &client);
        int available = client.right - spare;
        bool wraps = false;
        UINT flags = DT_CALCRECT;
        if (isStatic) {
            const LONG type = style & SS_TYPEMASK;
            if (type != SS_LEFT && type != SS_CENTER && type != SS_RIGHT && type != SS_LEFTNOWORDWRAP && type != SS_SIMPLE)
                return ::ReleaseDC(control, dc), void();
            wraps = type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT;
            if (style & SS_NOPREFIX)
                flags |= DT_NOPREFIX;
        } else {
            const LONG type = style & BS_TYPEMASK;
            if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON)
                available -= spare + 2 * scaled(2);   // the button's frame on both sides
            else if (type == BS_GROUPBOX)
                available -= scaled(16);
            else
                available -= scaled(16) + 1;          // the check mark and the gap after it
            wraps = (style & BS_MULTILINE) != 0;
        }
        flags |= wraps ? DT_WORDBREAK : DT_SINGLELINE;

        HFONT font = reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0));
        HGDIOBJ old = ::SelectObject(dc, font ? static_cast<HGDIOBJ>(font) : ::GetStockObject(SYSTEM_FONT));
        RECT needed{0, 0, available, 0}, line{0, 0, available, 0};
        ::DrawTextW(dc, text.c_str(), -1, &needed, flags);
        ::DrawTextW(dc, text.c_str(), -1, &line, (flags & ~DT_WORDBREAK) | DT_SINGLELINE);
        ::SelectObject(dc, old);
        ::ReleaseDC(control, dc);

        if (needed.right > available || needed.bottom > client.bottom)
            m_misfits.push_back(m_language + " " + std::to_string(dpi) + " dpi, " + m_where + ", control " +
                                std::to_string(::GetDlgCtrlID(control)) + " \"" + Narrow(text) + "\": " +
                                std::to_string(available) + "x" + std::to_string(client.bottom) +
                                " pixels for " + std::to_string(line.right) + " in one line, " +
                                std::to_string(needed.right) + "x" + std::to_string(needed.bottom) + " as drawn");
    }

    std::string m_language, m_where;
    std::vector<std::string>& m_misfits;
};

const char kKeySyms[] = "[main]\r\nGreek=1\r\n[Greek]\r\nalpha=7e1\r\nbeta=7e2\r\n";

// Every page and dialog of the editor in `language`, in each of its states.
void MeasureEditor(const std::string& language, std::vector<std::string>& misfits)
{
    ChooseUiLanguage(language);
    ModuleFixture dirs(kKeySyms);
    ASSERT_NE(dirs.Load(), nullptr);
    FitCheck check(language, misfits);
    {
        SheetSession sheet(dirs.module);
        HWND page = sheet.Page(0);
        check.Measure(page, "keysym page");
        SelectListRow(page, IDC_KS_KEYSYMS, 0);
        // The hint's states: none, and the longest lines of each kind together.
        const char* const states[][2] = {
            {"", ""}, {"Greek_alpha", "7e2"}, {"my-key", "20000000"}, {"my_arrow", "1002192"}, {"my-key", "7e2"}};
        PostClick(page, IDC_KS_ADD);
        if (HWND dialog = sheet.WaitForPopup()) {
            for (const auto& state : states) {
                SetEditText(dialog, IDC_SYM_NAME, state[0]);
                SetEditText(dialog, IDC_SYM_VALUE, state[1]);
                check.Measure(dialog, std::string("keysym dialog \"") + state[0] + "\" \"" + state[1] + "\"");
            }
            Answer(dialog, IDCANCEL);
            WaitGone(dialog);
        }

        page = sheet.Page(1);
        check.Measure(page, "search page");
        SetEditText(page, IDC_SCH_FIND_TEXT, "a");
        PostClick(page, IDC_SCH_FIND);
        sheet.Sync();
        check.Measure(page, "search page after a hit");

        page = sheet.Page(2);
        check.Measure(page, "set page");
        SelectListRow(page, IDC_ST_SETS, 0);
        for (int button : {IDC_ST_ADD, IDC_ST_RENAME}) {
            PostClick(page, button);
            if (HWND dialog = sheet.WaitForPopup()) {
                check.Measure(dialog, button == IDC_ST_ADD ? "set name dialog, add" : "set name dialog, rename");
                Answer(dialog, IDCANCEL);
                WaitGone(dialog);
            }
            sheet.Sync();
        }
    }
    dirs.Unload();
    ClearUiLanguage();
}

// Runs this program's measuring test at `dpi`; returns its output, empty when it passed.
std::string MeasureAt(int dpi)
{
    HKEY key;
    EXPECT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, kDesktopKey, 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE,
                                nullptr, &key, nullptr),
              ERROR_SUCCESS);
    DWORD saved = 0, size = sizeof saved;
    const bool hadValue = ::RegQueryValueExA(key, "LogPixels", nullptr, nullptr, reinterpret_cast<BYTE*>(&saved), &size) == 0;
    const DWORD value = static_cast<DWORD>(dpi);
    ::RegSetValueExA(key, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);

    char self[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    const std::string folder = MakeTempDir("textfit");
    const std::string output = folder + "\\misfits.txt";
    std::string command = std::string("\"") + self + "\" --gtest_filter=TextFit.MeasureAtThisScale --gtest_brief=1";
    ::SetEnvironmentVariableA(kChildVariable, std::to_string(dpi).c_str());
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE file = ::CreateFileA(output.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = file;
    PROCESS_INFORMATION process{};
    DWORD exitCode = 1;
    if (::CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
        ::WaitForSingleObject(process.hProcess, 240000);
        ::GetExitCodeProcess(process.hProcess, &exitCode);
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
    }
    ::CloseHandle(file);
    ::SetEnvironmentVariableA(kChildVariable, nullptr);

    if (hadValue)
        ::RegSetValueExA(key, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&saved), sizeof saved);
    else
        ::RegDeleteValueA(key, "LogPixels");
    ::RegCloseKey(key);
    const std::string text = ReadFileBytes(output);
    RemoveTree(folder);
    if (exitCode == 0)
        return "";
    // Just the list of what does not fit, when that is why the run failed.
    std::string list;
    for (size_t at = text.find(kMisfit); at != std::string::npos; at = text.find(kMisfit, at + 1))
        list += text.substr(at + sizeof kMisfit, text.find('\n', at) - at - sizeof kMisfit) + "\n";
    return list.empty() ? text : list;
}
}  // namespace

// The child's part: what the controls need at the scale this process started with.
TEST(TextFit, MeasureAtThisScale)
{
    const char* dpi = std::getenv(kChildVariable);
    if (!dpi)
        GTEST_SKIP() << "measured by EveryTextFitsAt96To192Dpi";
    HDC screen = ::GetDC(nullptr);
    EXPECT_EQ(::GetDeviceCaps(screen, LOGPIXELSY), std::atoi(dpi)) << "the display scale did not take";
    ::ReleaseDC(nullptr, screen);
    std::vector<std::string> misfits;
    const bool japanese = ::GetACP() == 932;
    for (const char* language : {"eng", "fra", "esp", "deu", "ita", "jpn", "prt"})
        if ((std::string(language) == "jpn") == japanese)
            MeasureEditor(language, misfits);
    for (const std::string& misfit : misfits)
        std::printf("%s %s\n", kMisfit, misfit.c_str());
    EXPECT_TRUE(misfits.empty());
}

TEST(TextFit, EveryTextFitsAt96To192Dpi)
{
    if (std::getenv(kChildVariable))
        GTEST_SKIP();
    for (int dpi : {96, 144, 192})
        EXPECT_EQ(MeasureAt(dpi), "") << "at " << dpi << " DPI, what does not fit";
}
