// The keysym dialog's hint and the set page's Import and Export, in the real sheet: the
// platform's file dialogs, the messages, and the keysym file Apply writes.
#include "EditorDriver.h"
#include "resources/resource.h"
#include <gtest/gtest.h>
#include <memory>

using namespace kstest;

namespace {
const int kKeySymPage = 0;
const int kSetPage = 2;

const char kTwoSets[] = "[main]\r\nGreek=1\r\nmath=1\r\n[Greek]\r\nalpha=7e1\r\nbeta=7e2\r\n[math]\r\nplusminus=b1\r\n";

std::wstring WideText(HWND window)
{
    std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<size_t>(::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::wstring Wide(const std::string& ansi) { return std::wstring(ansi.begin(), ansi.end()); }

struct Editor {
    explicit Editor(const std::string& file = kTwoSets) : module(file)
    {
        module.Load();
        sheet = std::make_unique<SheetSession>(module.module);
    }
    // Clicks `id` on `page` and returns the window it opens.
    HWND Open(HWND page, int id) const
    {
        PostClick(page, id);
        return sheet->WaitForPopup();
    }
    // Types `path` into a file dialog and presses its OK; returns the message box that
    // followed, or null.
    HWND ChooseFile(HWND dialog, const std::string& path) const
    {
        // The file name field: the combo box of the explorer-style dialog, or its plain edit.
        HWND field = ::GetDlgItem(dialog, 0x47C);
        if (!field || !::IsWindowVisible(field)) field = ::GetDlgItem(dialog, 0x480);
        ::SendMessageA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
        PostClick(dialog, IDOK);
        WaitGone(dialog);
        sheet->Sync();
        return sheet->FindBox();
    }
    std::string Answered(HWND box) const
    {
        if (!box) return "(no message)";
        const std::string text = MessageBoxText(box);
        Answer(box, IDOK);
        WaitGone(box);
        sheet->Sync();
        return text;
    }

    ModuleFixture module;
    std::unique_ptr<SheetSession> sheet;
};

}  // namespace

TEST(KeySymDialogHint, ShowsWhatX11KnowsAsTheUserTypes)
{
    Editor editor;
    HWND dialog = editor.Open(editor.sheet->Page(kKeySymPage), IDC_KS_ADD);
    ASSERT_TRUE(dialog);
    HWND hint = ::GetDlgItem(dialog, IDC_SYM_HINT);
    EXPECT_EQ(WideText(hint), L"");

    SetEditText(dialog, IDC_SYM_VALUE, "7e1");
    // The character itself, whatever the ANSI code page.
    std::wstring character = Wide(LibraryString(IDS_HINT_CHARACTER, "\x01", "03B1"));
    character.replace(character.find(L'\x01'), 1, L"\x03B1");
    EXPECT_EQ(WideText(hint), character + L"\r\n" + Wide(LibraryString(IDS_HINT_STANDARD_VALUE, "Greek_alpha")));
    SetEditText(dialog, IDC_SYM_NAME, "a b");
    SetEditText(dialog, IDC_SYM_VALUE, "20000000");
    EXPECT_EQ(WideText(hint), Wide(LibraryString(IDS_HINT_TOO_LARGE)) + L"\r\n" + Wide(LibraryString(IDS_HINT_NAME_CHARS)));
    SetEditText(dialog, IDC_SYM_NAME, "Greek_alpha");
    SetEditText(dialog, IDC_SYM_VALUE, "");
    EXPECT_EQ(WideText(hint), Wide(LibraryString(IDS_HINT_STANDARD_NAME, "Greek_alpha", "7e1")));
    // It never stands in the way of OK.
    SetEditText(dialog, IDC_SYM_VALUE, "1");
    EXPECT_TRUE(IsEnabled(dialog, IDOK));
    PostClick(dialog, IDCANCEL);
    EXPECT_TRUE(WaitGone(dialog));
}

TEST(SetPageInterchange, ImportAndExportThroughTheFileDialogs)
{
    Editor editor;
    HWND page = editor.sheet->Page(kSetPage);
    const std::string exported = editor.module.root + "\\Greek.db";

    // The current set is selected when the page opens.
    EXPECT_TRUE(IsEnabled(page, IDC_ST_IMPORT));
    EXPECT_TRUE(IsEnabled(page, IDC_ST_EXPORT));

    // Export proposes the set's name; a successful export says nothing.
    HWND save = editor.Open(page, IDC_ST_EXPORT);
    ASSERT_TRUE(save);
    EXPECT_EQ(WindowText(save), LibraryString(IDS_EXPORT_TITLE));
    EXPECT_EQ(WindowText(::GetDlgItem(save, 0x47C)), "Greek.db");
    EXPECT_EQ(editor.ChooseFile(save, exported), nullptr);
    EXPECT_EQ(ReadFileBytes(exported), "! Keysyms of the set Greek\nalpha\t:7E1\nbeta\t:7E2\n");

    // The second file type is a C header.
    save = editor.Open(page, IDC_ST_EXPORT);
    ASSERT_TRUE(save);
    HWND types = ::GetDlgItem(save, 0x470);
    ASSERT_EQ(::SendMessageA(types, CB_GETCOUNT, 0, 0), 2);
    ::SendMessageA(types, CB_SETCURSEL, 1, 0);
    ::SendMessageA(save, WM_COMMAND, MAKEWPARAM(0x470, CBN_SELENDOK), reinterpret_cast<LPARAM>(types));
    const std::string header = editor.module.root + "\\Greek.h";
    EXPECT_EQ(editor.ChooseFile(save, header), nullptr);
    EXPECT_EQ(ReadFileBytes(header), "/* Keysyms of the set Greek */\n#define XK_alpha 0x7E1\n#define XK_beta 0x7E2\n");

    // A target held open stays as it was.
    HANDLE held = ::CreateFileA(exported.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    save = editor.Open(page, IDC_ST_EXPORT);
    ASSERT_TRUE(save);
    HWND box = editor.ChooseFile(save, exported);
    if (box && MessageBoxText(box).find("replace") != std::string::npos) {   // the dialog's own question
        Answer(box, IDYES);
        WaitGone(box);
        editor.sheet->Sync();
        box = editor.sheet->FindBox();
    }
    EXPECT_EQ(editor.Answered(box), LibraryString(IDS_WRITE_FAILED, exported));

    // ... and cannot be read either.
    SelectListRow(page, IDC_ST_SETS, 1);
    HWND open = editor.Open(page, IDC_ST_IMPORT);
    ASSERT_TRUE(open);
    EXPECT_EQ(WindowText(open), LibraryString(IDS_IMPORT_TITLE));
    EXPECT_EQ(editor.Answered(editor.ChooseFile(open, exported)), LibraryString(IDS_READ_FAILED, exported));
    ::CloseHandle(held);
    EXPECT_FALSE(editor.sheet->IsApplyEnabled());

    // Into "math": alpha and beta are Greek's already.
    const std::string file = editor.module.root + "\\more.db";
    WriteFileBytes(file, "! more\nalpha : 7e1\nkappa : 7ea\nbeta : 7e2\n");
    open = editor.Open(page, IDC_ST_IMPORT);
    ASSERT_TRUE(open);
    const std::string summary = editor.Answered(editor.ChooseFile(open, file));
    EXPECT_EQ(summary.substr(0, summary.find('\r')), LibraryString(IDS_IMPORTED_ONE, "1", "math"));
    EXPECT_NE(summary.find(LibraryString(IDS_KEYSYM_NAME_USED, "alpha", "Greek")), std::string::npos) << summary;
    // A file with no keysym line is refused.
    const std::string empty = editor.module.root + "\\empty.db";
    WriteFileBytes(empty, "! nothing\r\n");
    open = editor.Open(page, IDC_ST_IMPORT);
    ASSERT_TRUE(open);
    EXPECT_EQ(editor.Answered(editor.ChooseFile(open, empty)), LibraryString(IDS_IMPORT_NO_KEYSYMS, empty));
    EXPECT_TRUE(editor.sheet->IsApplyEnabled());
    editor.sheet->PressButton(PSBTN_APPLYNOW);
    editor.sheet->Sync();
    EXPECT_NE(ReadFileBytes(editor.module.keySymFile).find("[math]\r\nkappa=7ea\r\nplusminus=b1\r\n"), std::string::npos);

    // Without a set there is nothing to import into or export.
    for (int sets = 2; sets > 0; --sets) {
        PostClick(page, IDC_ST_DELETE);
        HWND question = editor.sheet->WaitForPopup();
        ASSERT_TRUE(question);
        Answer(question, IDYES);
        WaitGone(question);
        editor.sheet->Sync();
    }
    EXPECT_FALSE(IsEnabled(page, IDC_ST_IMPORT));
    EXPECT_FALSE(IsEnabled(page, IDC_ST_EXPORT));
    editor.sheet->PressButton(PSBTN_CANCEL);
    EXPECT_TRUE(editor.sheet->WaitClosed());
}
