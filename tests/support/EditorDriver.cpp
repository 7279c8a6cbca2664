#include "EditorDriver.h"
#include <cstring>

namespace kstest {
namespace {
const char kDirectoriesKey[] = "Software\\Varrowin\\Tessaline\\11.00\\Directories";
const char kLocaleKey[] = "Software\\Varrowin\\Tessaline\\11.00\\Locale";

UINT SyncMessage()
{
    static const UINT message = ::RegisterWindowMessageA("KeySymTestSync");
    return message;
}

LRESULT CALLBACK HostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == SyncMessage()) {
        ::SetEvent(reinterpret_cast<HANDLE>(lParam));
        return 0;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

const char* HostWindowClass()
{
    static const bool registered = [] {
        WNDCLASSA cls{};
        cls.lpfnWndProc = HostWindowProc;
        cls.hInstance = ::GetModuleHandleA(nullptr);
        cls.lpszClassName = "KeySymTestHost";
        cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        return ::RegisterClassA(&cls) != 0;
    }();
    (void)registered;
    return "KeySymTestHost";
}

struct PopupSearch {
    HWND sheet;
    bool visibleOnly;
    HWND found;
};

BOOL CALLBACK CollectPopup(HWND window, LPARAM context)
{
    auto* search = reinterpret_cast<PopupSearch*>(context);
    char cls[32] = {};
    ::GetClassNameA(window, cls, sizeof cls);
    if (window != search->sheet && std::strcmp(cls, "#32770") == 0 &&
        (!search->visibleOnly || ::IsWindowVisible(window))) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}
}

bool WaitFor(const std::function<bool()>& ready, DWORD timeoutMs)
{
    const DWORD start = ::GetTickCount();
    for (;;) {
        if (ready())
            return true;
        if (::GetTickCount() - start > timeoutMs)
            return false;
        ::Sleep(5);
    }
}

ModuleFixture::ModuleFixture(const std::string& keySymFileBytes, bool writeFile)
{
    root = MakeTempDir("module");
    userDir = root + "\\User";
    installDir = root + "\\Install";
    ::CreateDirectoryA(userDir.c_str(), nullptr);
    ::CreateDirectoryA(installDir.c_str(), nullptr);
    keySymFile = userDir + "\\keysyms.kbs";
    if (writeFile)
        WriteFileBytes(keySymFile, keySymFileBytes);
    SetDirectory(0, userDir);
    SetDirectory(3, installDir);
}

ModuleFixture::~ModuleFixture()
{
    Unload();
    SetDirectory(0, "");
    SetDirectory(3, "");
    RemoveTree(root);
}

HMODULE ModuleFixture::Load(const std::string& folder)
{
    module = ::LoadLibraryExA((folder + "\\TAVREL.dll").c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    return module;
}

void ModuleFixture::Unload()
{
    if (module)
        ::FreeLibrary(module);
    module = nullptr;
}

void ModuleFixture::SetDirectory(int which, const std::string& path)
{
    HKEY key;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, kDirectoriesKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return;
    const std::string name = std::to_string(which);
    if (path.empty())
        ::RegDeleteValueA(key, name.c_str());
    else
        ::RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                         static_cast<DWORD>(path.size() + 1));
    ::RegCloseKey(key);
}

SheetSession::SheetSession(HMODULE module) : m_module(module)
{
    m_ready = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    m_closed = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    m_thread = ::CreateThread(nullptr, 0, Run, this, 0, &threadId);
    ::WaitForSingleObject(m_ready, 10000);
    WaitFor([this] { return sheet != nullptr || ::WaitForSingleObject(m_closed, 0) == WAIT_OBJECT_0; }, 10000);
}

SheetSession::SheetSession(HMODULE module, DWORD sheetThread) : threadId(sheetThread), m_module(module)
{
    m_ready = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    m_closed = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
}

void SheetSession::EditAsHost(HMODULE module, const std::function<void(SheetSession&)>& user)
{
    SheetSession session(module, ::GetCurrentThreadId());
    struct Work {
        SheetSession* session;
        const std::function<void(SheetSession&)>* user;
    } work{&session, &user};
    HANDLE worker = ::CreateThread(
        nullptr, 0,
        [](void* context) WINAPI -> DWORD {
            auto* w = static_cast<Work*>(context);
            SheetSession& s = *w->session;
            ::WaitForSingleObject(s.m_ready, 10000);
            WaitFor([&s] { return s.sheet != nullptr || ::WaitForSingleObject(s.m_closed, 0) == WAIT_OBJECT_0; },
                    10000);
            if (s.sheet)
                (*w->user)(s);
            if (s.sheet && !s.WaitClosed(3000))
                s.CloseEverything();
            return 0;
        },
        &work, 0, nullptr);
    session.RunSheetHere();
    ::WaitForSingleObject(worker, 30000);
    ::CloseHandle(worker);
}

DWORD WINAPI SheetSession::Run(void* context)
{
    static_cast<SheetSession*>(context)->RunSheetHere();
    return 0;
}

void SheetSession::RunSheetHere()
{
    owner = ::CreateWindowExA(0, HostWindowClass(), "Host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300, 200,
                              nullptr, nullptr, nullptr, nullptr);
    ::SetActiveWindow(owner);
    ::SetEvent(m_ready);
    // The sheet is found by a hook as it is created, so the test sees it from the start.
    static thread_local SheetSession* current = nullptr;
    current = this;
    HHOOK hook = ::SetWindowsHookExA(
        WH_CBT,
        [](int code, WPARAM wParam, LPARAM lParam) CALLBACK -> LRESULT {
            if (code == HCBT_ACTIVATE && current && !current->sheet) {
                HWND window = reinterpret_cast<HWND>(wParam);
                if (::GetWindow(window, GW_OWNER) == current->owner) {
                    current->ownerDisabledWhileOpen = !::IsWindowEnabled(current->owner);
                    current->sheet = window;
                }
            }
            return ::CallNextHookEx(nullptr, code, wParam, lParam);
        },
        nullptr, ::GetCurrentThreadId());
    auto edit = reinterpret_cast<void (*)()>(reinterpret_cast<void*>(::GetProcAddress(m_module, "EditKeySyms")));
    if (edit)
        edit();
    ::UnhookWindowsHookEx(hook);
    current = nullptr;
    ownerEnabledAfter = ::IsWindowEnabled(owner) != FALSE;
    ::DestroyWindow(owner);
    ::SetEvent(m_closed);
}

void SheetSession::CloseEverything()
{
    for (int i = 0; i < 5; ++i) {
        HWND popup = FindPopup();
        if (!popup)
            break;
        ::PostMessageA(popup, WM_COMMAND, IDCANCEL, 0);
        if (HasButton(popup, IDNO))
            ::PostMessageA(popup, WM_COMMAND, IDNO, 0);
        WaitGone(popup, 2000);
    }
    ::PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
}

SheetSession::~SheetSession()
{
    if (m_thread) {
        if (IsOpen())
            CloseEverything();
        ::WaitForSingleObject(m_thread, 10000);
        ::CloseHandle(m_thread);
    }
    ::CloseHandle(m_ready);
    ::CloseHandle(m_closed);
}

bool SheetSession::IsOpen() const { return ::WaitForSingleObject(m_closed, 0) != WAIT_OBJECT_0 && sheet; }

HWND SheetSession::Page(int index) const
{
    ShowPage(index);
    return reinterpret_cast<HWND>(::SendMessageA(sheet, PSM_INDEXTOHWND, index, 0));
}

HWND SheetSession::CurrentPage() const
{
    return reinterpret_cast<HWND>(::SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

void SheetSession::ShowPage(int index) const
{
    HWND page = reinterpret_cast<HWND>(::SendMessageA(sheet, PSM_INDEXTOHWND, index, 0));
    if (!page || page != CurrentPage())
        ::SendMessageA(sheet, PSM_SETCURSEL, index, 0);
}

void SheetSession::PressButton(int psbtn) const
{
    ::PostMessageA(sheet, PSM_PRESSBUTTON, psbtn, 0);
}

bool SheetSession::WaitClosed(DWORD timeoutMs)
{
    return ::WaitForSingleObject(m_closed, timeoutMs) == WAIT_OBJECT_0;
}

void SheetSession::Sync() const
{
    // Posted messages of a thread are taken in order, by whichever message loop is
    // running there: once the host window sees this one, everything before is done.
    // Twice: the sheet itself posts the work of some messages (PSM_PRESSBUTTON) to be
    // done later, behind the first round.
    HANDLE done = ::CreateEventA(nullptr, FALSE, FALSE, nullptr);
    for (int round = 0; round < 2; ++round) {
        ::PostMessageA(owner, SyncMessage(), 0, reinterpret_cast<LPARAM>(done));
        ::WaitForSingleObject(done, 10000);
    }
    ::CloseHandle(done);
}

HWND SheetSession::FindPopup() const
{
    PopupSearch search{sheet, true, nullptr};
    ::EnumThreadWindows(threadId, CollectPopup, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND SheetSession::FindBox() const
{
    PopupSearch search{sheet, false, nullptr};
    ::EnumThreadWindows(threadId, CollectPopup, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND SheetSession::WaitForPopup(DWORD timeoutMs) const
{
    HWND popup = nullptr;
    WaitFor([&] { return (popup = FindPopup()) != nullptr; }, timeoutMs);
    return popup;
}

bool SheetSession::IsApplyEnabled() const
{
    const int kApplyButtonId = 0x3021;
    return ::IsWindowEnabled(::GetDlgItem(sheet, kApplyButtonId)) != FALSE;
}

std::string WindowText(HWND window)
{
    const LRESULT length = ::SendMessageA(window, WM_GETTEXTLENGTH, 0, 0);
    std::string text(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
    const LRESULT got = ::SendMessageA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(got > 0 ? got : 0));
    return text;
}

void SetEditText(HWND dialog, int id, const std::string& text)
{
    ::SendMessageA(::GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void SelectComboRow(HWND dialog, int id, int row)
{
    HWND combo = ::GetDlgItem(dialog, id);
    ::SendMessageA(combo, CB_SETCURSEL, row, 0);
    ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

void SelectListRow(HWND dialog, int id, int row)
{
    HWND list = ::GetDlgItem(dialog, id);
    ::SendMessageA(list, LB_SETCURSEL, row, 0);
    ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

void ClickButton(HWND dialog, int id)
{
    ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

void PostClick(HWND dialog, int id)
{
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

void PostDoubleClick(HWND dialog, int id)
{
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, LBN_DBLCLK), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

std::vector<std::string> ListRows(HWND list)
{
    std::vector<std::string> rows;
    const int count = static_cast<int>(::SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        const int len = static_cast<int>(::SendMessageA(list, LB_GETTEXTLEN, i, 0));
        std::string text(len + 1, '\0');
        ::SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));
        text.resize(len);
        rows.push_back(text);
    }
    return rows;
}

std::vector<std::string> ComboRows(HWND combo)
{
    std::vector<std::string> rows;
    const int count = static_cast<int>(::SendMessageA(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        const int len = static_cast<int>(::SendMessageA(combo, CB_GETLBTEXTLEN, i, 0));
        std::string text(len + 1, '\0');
        ::SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()));
        text.resize(len);
        rows.push_back(text);
    }
    return rows;
}

int ListSelection(HWND list) { return static_cast<int>(::SendMessageA(list, LB_GETCURSEL, 0, 0)); }
int ComboSelection(HWND combo) { return static_cast<int>(::SendMessageA(combo, CB_GETCURSEL, 0, 0)); }
bool IsEnabled(HWND dialog, int id) { return ::IsWindowEnabled(::GetDlgItem(dialog, id)) != FALSE; }

std::string LibraryString(UINT id, const std::string& arg1, const std::string& arg2)
{
    static HMODULE library = ::LoadLibraryExA((BinDir() + "\\tavrel.nls").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    char buffer[1024] = {};
    ::LoadStringA(library, id, buffer, sizeof buffer);
    const std::string text = buffer;
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && (text[i + 1] == '1' || text[i + 1] == '2'))
            out += text[++i] == '1' ? arg1 : arg2;
        else
            out += text[i];
    }
    return out;
}

std::string MessageBoxText(HWND box)
{
    // The message is the static control with the longest text (the icon has none).
    std::string best;
    for (HWND child = ::GetWindow(box, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        char cls[32] = {};
        ::GetClassNameA(child, cls, sizeof cls);
        if (_stricmp(cls, "Static") != 0)
            continue;
        std::string text = WindowText(child);
        if (text.size() > best.size())
            best = text;
    }
    return best;
}

bool HasButton(HWND box, int id) { return ::GetDlgItem(box, id) != nullptr; }

void Answer(HWND box, int id)
{
    ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(box, id)));
}

bool WaitGone(HWND window, DWORD timeoutMs)
{
    return WaitFor([window] { return !::IsWindow(window); }, timeoutMs);
}

void ChooseUiLanguage(const std::string& code)
{
    HKEY key;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, kLocaleKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return;
    auto set = [key](const char* name, const std::string& value) {
        ::RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                         static_cast<DWORD>(value.size() + 1));
    };
    set("Language Search Method", "1");
    set("Default UI Language", code);
    set("Available UI Languages", "eng fra esp deu ita jpn prt");
    ::RegCloseKey(key);
}

void ClearUiLanguage() { ::RegDeleteKeyA(HKEY_CURRENT_USER, kLocaleKey); }

}  // namespace kstest
