// The keysym page and the keysym dialog, worked as a user works them.
#include "EditorDriver.h"
#include "framework/Controls.h"
#include "pages/ListLayout.h"
#include "resources/resource.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <climits>
#include <memory>

using namespace kstest;

namespace {
const char kGreekAndMath[] =
    "[main]\r\nGreek=1\r\nmath=1\r\n[Greek]\r\nalpha=7e1\r\nbeta=7e2\r\n[math]\r\nplusminus=b1\r\n";
using Rows = std::vector<std::string>;

struct Editor {
    explicit Editor(const std::string& file = kGreekAndMath) : module(file)
    {
        module.Load();
        sheet = std::make_unique<SheetSession>(module.module);
        page = sheet->Page(0);
    }
    HWND List() const { return ::GetDlgItem(page, IDC_KS_KEYSYMS); }
    HWND Combo() const { return ::GetDlgItem(page, IDC_KS_SETS); }
    Rows ListRows() const { return kstest::ListRows(List()); }

    // Presses a button that opens the keysym dialog; null when none opened.
    HWND OpenDialog(int button)
    {
        PostClick(page, button);
        return sheet->WaitForPopup();
    }
    // Opens the dialog with `button`, types name and value, presses OK; returns the
    // message box that followed, if any.
    HWND EnterKeySym(int button, const std::string& name, const std::string& value)
    {
        HWND dialog = OpenDialog(button);
        EXPECT_NE(dialog, nullptr);
        if (!dialog)
            return nullptr;
        SetEditText(dialog, IDC_SYM_NAME, name);
        SetEditText(dialog, IDC_SYM_VALUE, value);
        Answer(dialog, IDOK);
        WaitGone(dialog);
        sheet->Sync();
        return sheet->FindPopup();
    }
    void Dismiss(HWND box, int button = IDOK)
    {
        Answer(box, button);
        WaitGone(box);
        sheet->Sync();
    }
    std::string ApplyAndReadFile()
    {
        sheet->PressButton(PSBTN_APPLYNOW);
        sheet->Sync();
        return ReadFileBytes(module.keySymFile);
    }

    ModuleFixture module;
    std::unique_ptr<SheetSession> sheet;
    HWND page = nullptr;
};

}

TEST(KeySymPage, OpensOnFirstSetWithItsKeySyms)
{
    Editor editor;
    ASSERT_TRUE(editor.sheet->IsOpen());
    EXPECT_EQ(ComboRows(editor.Combo()), (Rows{"Greek", "math"}));
    EXPECT_EQ(ComboSelection(editor.Combo()), 0);
    EXPECT_EQ(editor.ListRows(), (Rows{"alpha\t7e1", "beta\t7e2"}));
    EXPECT_FALSE(IsEnabled(editor.page, IDC_KS_EDIT));
    EXPECT_FALSE(IsEnabled(editor.page, IDC_KS_DELETE));
    EXPECT_TRUE(IsEnabled(editor.page, IDC_KS_ADD));
    EXPECT_FALSE(editor.sheet->IsApplyEnabled());
}

// The typical request: choose a set, add a keysym, apply; the file holds it, to the byte.
TEST(KeySymPage, AddToChosenSetAndApplyWritesTheFile)
{
    Editor editor("[main]\r\nGreek=1\r\nmath=1\r\n[math]\r\nplusminus=b1\r\n");
    SelectComboRow(editor.page, IDC_KS_SETS, 1);
    EXPECT_EQ(editor.ListRows(), (Rows{"plusminus\tb1"}));
    SelectComboRow(editor.page, IDC_KS_SETS, 0);
    EXPECT_TRUE(editor.ListRows().empty());

    EXPECT_EQ(editor.EnterKeySym(IDC_KS_ADD, "alpha", "7e1"), nullptr);
    EXPECT_EQ(editor.ListRows(), (Rows{"alpha\t7e1"}));
    EXPECT_EQ(ListSelection(editor.List()), 0);
    EXPECT_TRUE(editor.sheet->IsApplyEnabled());

    EXPECT_EQ(editor.ApplyAndReadFile(),
              "[main]\r\nGreek=1\r\nmath=1\r\n[Greek]\r\nalpha=7e1\r\n[math]\r\nplusminus=b1\r\n");
    EXPECT_FALSE(editor.sheet->IsApplyEnabled());
    EXPECT_TRUE(ListFiles(editor.module.userDir, "Kbs*.tmp").empty());
}

TEST(KeySymPage, AddRefusesNamesThatCannotBeUsed)
{
    Editor editor;
    struct Case { std::string name; std::vector<std::string> inMessage; };
    const Case refused[] = {
        {"a b", {"a b"}},                      // a blank
        {"a@b", {"a@b"}},                      // an "@"
        {"plusminus", {"plusminus", "math"}},  // a keysym of another set has it
        {"alpha", {"alpha", "Greek"}},         // a keysym of this set has it
        {"x=y", {"x=y"}},                      // the file would read it back cut at "="
        {";c", {";c"}},                        // the file would read it as a comment
    };
    for (const Case& c : refused) {
        HWND box = editor.EnterKeySym(IDC_KS_ADD, c.name, "1");
        ASSERT_NE(box, nullptr) << c.name;
        const std::string text = MessageBoxText(box);
        for (const auto& part : c.inMessage)
            EXPECT_NE(text.find(part), std::string::npos) << "'" << text << "' lacks " << part;
        editor.Dismiss(box);
        // The dialog is back with what was typed, the refused name selected; Cancel changes nothing.
        HWND dialog = editor.sheet->WaitForPopup();
        ASSERT_NE(dialog, nullptr) << c.name;
        EXPECT_EQ(WindowText(dialog), "New Keysym");
        HWND name = ::GetDlgItem(dialog, IDC_SYM_NAME);
        EXPECT_EQ(WindowText(name), c.name);
        EXPECT_EQ(WindowText(::GetDlgItem(dialog, IDC_SYM_VALUE)), "1");
        DWORD start = 1, end = 0;
        ::SendMessageA(name, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(start, 0u) << c.name;
        EXPECT_EQ(end, c.name.size()) << c.name;
        editor.Dismiss(dialog, IDCANCEL);
        EXPECT_EQ(editor.ListRows(), (Rows{"alpha\t7e1", "beta\t7e2"})) << c.name;
    }
    EXPECT_FALSE(editor.sheet->IsApplyEnabled());

    // Names are case-sensitive: another letter case is another keysym.
    EXPECT_EQ(editor.EnterKeySym(IDC_KS_ADD, "PlusMinus", "b1"), nullptr);
    EXPECT_EQ(editor.ListRows(), (Rows{"alpha\t7e1", "beta\t7e2", "PlusMinus\tb1"}));
    EXPECT_NE(editor.ApplyAndReadFile().find("[Greek]\r\nPlusMinus=b1\r\nalpha=7e1\r\nbeta=7e2\r\n"), std::string::npos);
}

TEST(KeySymPage, CancelAndEmptyFieldsChangeNothing)
{
    Editor editor;
    HWND dialog = editor.OpenDialog(IDC_KS_ADD);
    ASSERT_NE(dialog, nullptr);
    SetEditText(dialog, IDC_SYM_NAME, "gamma");
    SetEditText(dialog, IDC_SYM_VALUE, "7e3");
    Answer(dialog, IDCANCEL);
    WaitGone(dialog);
    editor.sheet->Sync();
    EXPECT_EQ(editor.ListRows().size(), 2u);

    SelectListRow(editor.page, IDC_KS_KEYSYMS, 0);
    dialog = editor.OpenDialog(IDC_KS_EDIT);
    ASSERT_NE(dialog, nullptr);
    SetEditText(dialog, IDC_SYM_VALUE, "");
    EXPECT_FALSE(IsEnabled(dialog, IDOK));
    Answer(dialog, IDOK);   // a disabled OK still reaches the dialog as a command
    WaitGone(dialog, 500);
    if (::IsWindow(dialog))
        editor.Dismiss(dialog, IDCANCEL);
    editor.sheet->Sync();
    EXPECT_EQ(editor.ListRows(), (Rows{"alpha\t7e1", "beta\t7e2"}));
    EXPECT_FALSE(editor.sheet->IsApplyEnabled());
}

TEST(KeySymPage, DeleteAsksFirstAndNoKeepsTheKeySym)
{
    Editor editor;
    SelectListRow(editor.page, IDC_KS_KEYSYMS, 1);
    EXPECT_TRUE(IsEnabled(editor.page, IDC_KS_EDIT));
    EXPECT_TRUE(IsEnabled(editor.page, IDC_KS_DELETE));

    PostClick(editor.page, IDC_KS_DELETE);
    HWND box = editor.sheet->WaitForPopup();
    ASSERT_NE(box, nullptr);
    const std::string text = MessageBoxText(box);
    EXPECT_NE(text.find("beta"), std::string::npos) << text;
    EXPECT_NE(text.find("Greek"), std::string::npos) << text;
    ASSERT_TRUE(HasButton(box, IDYES) && HasButton(box, IDNO));
    EXPECT_EQ(::GetWindow(box, GW_OWNER), editor.sheet->sheet) << "the question stands over the sheet";
    EXPECT_TRUE(::GetWindowLongA(::GetDlgItem(box, IDNO), GWL_STYLE) & BS_DEFPUSHBUTTON) << "No is the default";
    editor.Dismiss(box, IDNO);
    EXPECT_EQ(editor.ListRows(), (Rows{"alpha\t7e1", "beta\t7e2"}));
    EXPECT_FALSE(editor.sheet->IsApplyEnabled());

    PostClick(editor.page, IDC_KS_DELETE);
    box = editor.sheet->WaitForPopup();
    ASSERT_NE(box, nullptr);
    editor.Dismiss(box, IDYES);
    EXPECT_EQ(editor.ListRows(), (Rows{"alpha\t7e1"}));
    EXPECT_EQ(ListSelection(editor.List()), LB_ERR);
    EXPECT_FALSE(IsEnabled(editor.page, IDC_KS_EDIT));
    EXPECT_FALSE(IsEnabled(editor.page, IDC_KS_DELETE));
    EXPECT_EQ(editor.ApplyAndReadFile(), "[main]\r\nGreek=1\r\nmath=1\r\n[Greek]\r\nalpha=7e1\r\n[math]\r\nplusminus=b1\r\n");
}

TEST(KeySymPage, EditKeepsTheRowInPlaceAndRefusesATakenName)
{
    Editor editor;
    SelectListRow(editor.page, IDC_KS_KEYSYMS, 0);
    HWND dialog = editor.OpenDialog(IDC_KS_EDIT);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(WindowText(::GetDlgItem(dialog, IDC_SYM_NAME)), "alpha");
    EXPECT_EQ(WindowText(::GetDlgItem(dialog, IDC_SYM_VALUE)), "7e1");
    EXPECT_TRUE(IsEnabled(dialog, IDOK));
    SetEditText(dialog, IDC_SYM_NAME, "zeta");
    SetEditText(dialog, IDC_SYM_VALUE, "7f6");
    editor.Dismiss(dialog);
    // The row keeps its place although "zeta" sorts last.
    EXPECT_EQ(editor.ListRows(), (Rows{"zeta\t7f6", "beta\t7e2"}));
    EXPECT_EQ(ListSelection(editor.List()), 0);

    HWND box = editor.EnterKeySym(IDC_KS_EDIT, "plusminus", "1");
    ASSERT_NE(box, nullptr);
    EXPECT_NE(MessageBoxText(box).find("math"), std::string::npos);
    editor.Dismiss(box);
    // Back in the dialog with the typed name, OK again with a free name finishes the edit.
    dialog = editor.sheet->WaitForPopup();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(WindowText(dialog), "Edit Keysym");
    EXPECT_EQ(WindowText(::GetDlgItem(dialog, IDC_SYM_NAME)), "plusminus");
    SetEditText(dialog, IDC_SYM_NAME, "eta");
    editor.Dismiss(dialog);
    EXPECT_EQ(editor.ListRows(), (Rows{"eta\t1", "beta\t7e2"}));

    // Edit accepts a blank inside a name, which Add refuses.
    SelectListRow(editor.page, IDC_KS_KEYSYMS, 0);
    EXPECT_EQ(editor.EnterKeySym(IDC_KS_EDIT, "ze ta", "7f6"), nullptr);
    EXPECT_EQ(editor.ApplyAndReadFile(),
              "[main]\r\nGreek=1\r\nmath=1\r\n[Greek]\r\nbeta=7e2\r\nze ta=7f6\r\n[math]\r\nplusminus=b1\r\n");
}

// A hand-edited name may hold a tab, which also parts a row's name from its value: the
// row's own keysym is edited or deleted, never "a" of another set.
TEST(KeySymPage, EditAndDeleteTouchOnlyTheRowsKeySymWhenItsNameHoldsATab)
{
    const char file[] = "[main]\r\nGreek=1\r\nmath=1\r\n[Greek]\r\na\tb=1\r\n[math]\r\na=2\r\n";
    {
        Editor editor(file);
        SelectListRow(editor.page, IDC_KS_KEYSYMS, 0);
        HWND dialog = editor.OpenDialog(IDC_KS_EDIT);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(WindowText(::GetDlgItem(dialog, IDC_SYM_VALUE)), "1");
        SetEditText(dialog, IDC_SYM_NAME, "ab");
        SetEditText(dialog, IDC_SYM_VALUE, "3");
        editor.Dismiss(dialog);
        EXPECT_EQ(editor.ListRows(), (Rows{"ab\t3"}));
        EXPECT_EQ(editor.ApplyAndReadFile(), "[main]\r\nGreek=1\r\nmath=1\r\n[Greek]\r\nab=3\r\n[math]\r\na=2\r\n");
    }
    Editor editor(file);
    SelectListRow(editor.page, IDC_KS_KEYSYMS, 0);
    PostClick(editor.page, IDC_KS_DELETE);
    HWND box = editor.sheet->WaitForPopup();
    ASSERT_NE(box, nullptr);
    EXPECT_NE(MessageBoxText(box).find("a\tb"), std::string::npos) << MessageBoxText(box);
    editor.Dismiss(box, IDYES);
    EXPECT_TRUE(editor.ListRows().empty());
    EXPECT_EQ(editor.ApplyAndReadFile(), "[main]\r\nGreek=1\r\nmath=1\r\n[Greek]\r\n[math]\r\na=2\r\n");
}

TEST(KeySymPage, EditClosedWithOkUnchangedStillMarksChanged)
{
    Editor editor;
    SelectListRow(editor.page, IDC_KS_KEYSYMS, 1);
    HWND dialog = editor.OpenDialog(IDC_KS_EDIT);
    ASSERT_NE(dialog, nullptr);
    editor.Dismiss(dialog);
    EXPECT_EQ(editor.ListRows(), (Rows{"alpha\t7e1", "beta\t7e2"}));
    EXPECT_TRUE(editor.sheet->IsApplyEnabled());
    // Add and Edit leave the buttons as they were.
    EXPECT_TRUE(IsEnabled(editor.page, IDC_KS_EDIT));
}

TEST(KeySymPage, ComingBackReselectsTheSetAndRowWithButtonsDisabled)
{
    Editor editor;
    SelectComboRow(editor.page, IDC_KS_SETS, 1);
    EXPECT_FALSE(IsEnabled(editor.page, IDC_KS_EDIT));
    SelectListRow(editor.page, IDC_KS_KEYSYMS, 0);
    EXPECT_TRUE(IsEnabled(editor.page, IDC_KS_DELETE));

    editor.sheet->ShowPage(1);
    editor.sheet->ShowPage(0);
    EXPECT_EQ(ComboSelection(editor.Combo()), 1);
    EXPECT_EQ(editor.ListRows(), (Rows{"plusminus\tb1"}));
    EXPECT_EQ(ListSelection(editor.List()), 0);
    EXPECT_FALSE(IsEnabled(editor.page, IDC_KS_EDIT));
    EXPECT_FALSE(IsEnabled(editor.page, IDC_KS_DELETE));
}

TEST(KeySymPage, WithoutSetsAddIsDisabled)
{
    Editor editor("");
    EXPECT_TRUE(ComboRows(editor.Combo()).empty());
    EXPECT_TRUE(editor.ListRows().empty());
    EXPECT_FALSE(IsEnabled(editor.page, IDC_KS_ADD));
}

TEST(KeySymPage, ApplyWithoutChangesWritesNothing)
{
    // A hand-made layout that a save would rewrite.
    const std::string handMade = "; mine\r\n[main]\r\n Greek = 1\r\n[Greek]\r\nalpha = 7e1\r\n";
    Editor editor(handMade);
    editor.sheet->PressButton(PSBTN_OK);
    ASSERT_TRUE(editor.sheet->WaitClosed());
    EXPECT_EQ(ReadFileBytes(editor.module.keySymFile), handMade);
}

// A hand-edited file: Add, Edit and Delete change only their own lines. A keysym the file
// would give to another set is refused by name, and a file marked read-only is never replaced.
TEST(KeySymPage, HandEditedFileKeepsItsLinesAndRefusesWhatItCannotHold)
{
    const std::string head = "; keysyms for the lab\r\n[main]\r\nGreek=1\r\ngreek=1\r\n\r\n[Greek]\r\n; small letters\r\n";
    const std::string tail = "[extras]\r\nfoo=1\r\n[greek]\r\ngamma=7e3\r\n";
    Editor editor(head + "alpha=7e1\r\nbeta=7e2\r\nsee the chart on the wall\r\n" + tail);
    SelectComboRow(editor.page, IDC_KS_SETS, 1);   // greek: the reader gives it the keysyms of [Greek]
    ASSERT_EQ(editor.ListRows(), (Rows{"alpha\t7e1", "beta\t7e2"}));
    ASSERT_EQ(editor.EnterKeySym(IDC_KS_ADD, "delta", "7e4"), nullptr);
    SelectListRow(editor.page, IDC_KS_KEYSYMS, 0);
    ASSERT_EQ(editor.EnterKeySym(IDC_KS_EDIT, "alpha", "3b1"), nullptr);
    SelectListRow(editor.page, IDC_KS_KEYSYMS, 1);
    PostClick(editor.page, IDC_KS_DELETE);
    HWND box = editor.sheet->WaitForPopup();
    ASSERT_NE(box, nullptr);
    editor.Dismiss(box, IDYES);
    const std::string saved = head + "alpha=3b1\r\nsee the chart on the wall\r\ndelta=7e4\r\n" + tail;
    EXPECT_EQ(editor.ApplyAndReadFile(), saved);

    std::string lowerPath = editor.module.keySymFile;
    for (char& c : lowerPath)
        c = static_cast<char>(::tolower(static_cast<unsigned char>(c)));
    SelectComboRow(editor.page, IDC_KS_SETS, 1);
    ASSERT_EQ(editor.EnterKeySym(IDC_KS_ADD, "epsilon2", "7e5"), nullptr);
    ::SetFileAttributesA(editor.module.keySymFile.c_str(), FILE_ATTRIBUTE_READONLY);
    editor.sheet->PressButton(PSBTN_APPLYNOW);
    box = editor.sheet->WaitForPopup();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), LibraryString(IDS_SAVE_FAILED, lowerPath));
    editor.Dismiss(box);
    ::SetFileAttributesA(editor.module.keySymFile.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(ReadFileBytes(editor.module.keySymFile), saved);
    ASSERT_NE(editor.ApplyAndReadFile().find("epsilon2=7e5"), std::string::npos);

    SelectComboRow(editor.page, IDC_KS_SETS, 0);
    ASSERT_EQ(editor.EnterKeySym(IDC_KS_ADD, "epsilon", "7e5"), nullptr);
    editor.sheet->PressButton(PSBTN_APPLYNOW);
    box = editor.sheet->WaitForPopup();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), LibraryString(IDS_SAVE_KEYSYM_UNSTORABLE, "epsilon", lowerPath));
    editor.Dismiss(box);
    EXPECT_EQ(ReadFileBytes(editor.module.keySymFile).find("epsilon="), std::string::npos);
    EXPECT_TRUE(editor.sheet->IsApplyEnabled());
}

TEST(KeySymPage, FailedSaveSaysSoKeepsTheFileAndCanBeRetried)
{
    Editor editor;
    const std::string before = ReadFileBytes(editor.module.keySymFile);
    ASSERT_EQ(editor.EnterKeySym(IDC_KS_ADD, "gamma", "7e3"), nullptr);

    HANDLE held = ::CreateFileA(editor.module.keySymFile.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    editor.sheet->PressButton(PSBTN_OK);   // OK keeps the sheet open when the save fails
    HWND box = editor.sheet->WaitForPopup();
    ASSERT_NE(box, nullptr);
    std::string lowerPath = editor.module.keySymFile;
    for (char& c : lowerPath)
        c = static_cast<char>(::tolower(static_cast<unsigned char>(c)));
    EXPECT_NE(MessageBoxText(box).find(lowerPath), std::string::npos) << MessageBoxText(box);
    editor.Dismiss(box);
    ::CloseHandle(held);
    EXPECT_EQ(ReadFileBytes(editor.module.keySymFile), before);
    EXPECT_TRUE(ListFiles(editor.module.userDir, "Kbs*.tmp").empty());
    EXPECT_TRUE(editor.sheet->IsOpen()) << "the changes are kept: the sheet stays open";
    EXPECT_TRUE(editor.sheet->IsApplyEnabled()) << "Apply stays available after a failed save";

    EXPECT_NE(editor.ApplyAndReadFile().find("gamma=7e3\r\n"), std::string::npos);
    EXPECT_FALSE(editor.sheet->IsApplyEnabled());
}

// Another program's keysym file is never replaced unasked; "No" keeps everything as it is.
TEST(KeySymPage, ApplyAsksBeforeReplacingWhatAnotherProgramWrote)
{
    Editor editor;
    ASSERT_EQ(editor.EnterKeySym(IDC_KS_ADD, "gamma", "7e3"), nullptr);
    const std::string theirs = "[main]\r\nTheirs=1\r\n[Theirs]\r\nmine=1\r\n";
    WriteFileBytes(editor.module.keySymFile, theirs);
    std::string lowerPath = editor.module.keySymFile;
    for (char& c : lowerPath)
        c = static_cast<char>(::tolower(static_cast<unsigned char>(c)));

    editor.sheet->PressButton(PSBTN_OK);
    HWND box = editor.sheet->WaitForPopup();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), LibraryString(IDS_FILE_CHANGED, lowerPath));
    EXPECT_TRUE(HasButton(box, IDYES) && HasButton(box, IDNO));
    EXPECT_EQ(::GetWindowLongA(::GetDlgItem(box, IDNO), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON)
        << "No is the default";
    editor.Dismiss(box, IDNO);
    EXPECT_TRUE(editor.sheet->IsOpen());
    EXPECT_TRUE(editor.sheet->IsApplyEnabled());
    EXPECT_EQ(ReadFileBytes(editor.module.keySymFile), theirs);

    editor.sheet->PressButton(PSBTN_APPLYNOW);
    box = editor.sheet->WaitForPopup();
    ASSERT_NE(box, nullptr);
    editor.Dismiss(box, IDYES);
    EXPECT_NE(ReadFileBytes(editor.module.keySymFile).find("gamma=7e3\r\n"), std::string::npos);
    EXPECT_FALSE(editor.sheet->IsApplyEnabled());

    // What the editor wrote itself is no change by another program: no question.
    ASSERT_EQ(editor.EnterKeySym(IDC_KS_ADD, "delta", "7e4"), nullptr);
    editor.sheet->PressButton(PSBTN_OK);
    ASSERT_TRUE(editor.sheet->WaitClosed());
    EXPECT_NE(ReadFileBytes(editor.module.keySymFile).find("delta=7e4\r\n"), std::string::npos);
}

TEST(KeySymPage, SetsNamedAlikeEachShowTheirOwnKeySyms)
{
    // A hand-edited set list may name one set twice: a row is a set position, so the keysyms
    // the second set holds are shown and can be edited, and Apply keeps every line.
    Editor editor("[main]\r\nGreek=1\r\nGreek=1\r\n[Greek]\r\nalpha=3b1\r\n");
    SelectComboRow(editor.page, IDC_KS_SETS, 1);
    EXPECT_EQ(editor.ListRows(), (Rows{"alpha\t3b1"}));
    EXPECT_EQ(editor.EnterKeySym(IDC_KS_ADD, "beta", "3b2"), nullptr);
    const std::string file = editor.ApplyAndReadFile();
    EXPECT_NE(file.find("[main]\r\nGreek=1\r\nGreek=1\r\n"), std::string::npos) << file;
    EXPECT_NE(file.find("[Greek]\r\nalpha=3b1\r\nbeta=3b2\r\n"), std::string::npos) << file;
}

TEST(KeySymPage, DoubleByteSetsAndNamesUnderCodePage932)
{
    if (GetACP() != 932) GTEST_SKIP() << "needs code page 932 (LANG=ja_JP.UTF-8)";
    // Full-width "Ａ" and "ａ" compare equal as set names, yet are two sets with keysyms of
    // their own; "機能" (trail byte "@") is an ordinary keysym name.
    Editor editor("[main]\r\n\x82\x60=1\r\n\x82\x81=1\r\n[\x82\x60]\r\nk1=1\r\n[\x82\x81]\r\nk2=2\r\n");
    EXPECT_EQ(editor.ListRows(), (Rows{"k1\t1"}));
    SelectComboRow(editor.page, IDC_KS_SETS, 1);
    EXPECT_EQ(editor.ListRows(), (Rows{"k2\t2"}));
    EXPECT_EQ(editor.EnterKeySym(IDC_KS_ADD, "\x8B\x40\x94\x5C", "1"), nullptr);
    const Rows rows = editor.ListRows();
    EXPECT_NE(std::find(rows.begin(), rows.end(), "\x8B\x40\x94\x5C\t1"), rows.end());
}

// Lists and the search text answer the keys Windows users expect, as the buttons would.
TEST(Keyboard, KeysOfTheListsAndTheSearchTextPressTheButtons)
{
    Editor editor;
    // A key as it arrives: posted to the control, through the sheet's dialog manager.
    const auto press = [&](HWND control, UINT key) {
        ::PostMessageA(control, WM_KEYDOWN, key, 1);
        ::PostMessageA(control, WM_KEYUP, key, 0xC0000001);
    };
    // The window the key opens: a dialog by its title, a message box by its text.
    const auto expectBox = [&](UINT key, HWND control, const std::string& title, int answer,
                               const std::string& message = {}) {
        press(control, key);
        HWND box = editor.sheet->WaitForPopup();
        ASSERT_NE(box, nullptr) << "key " << key;
        EXPECT_EQ(message.empty() ? WindowText(box) : MessageBoxText(box), message.empty() ? title : message);
        editor.Dismiss(box, answer);
    };
    HWND list = editor.List();
    press(list, VK_RETURN);   // no row selected: nothing to edit, and the sheet stays
    editor.sheet->Sync();
    EXPECT_EQ(editor.sheet->FindPopup(), nullptr);
    EXPECT_TRUE(editor.sheet->IsOpen());
    expectBox(VK_INSERT, list, LibraryString(IDS_NEW_KEYSYM_TITLE), IDCANCEL);
    SelectListRow(editor.page, IDC_KS_KEYSYMS, 0);
    expectBox(VK_RETURN, list, LibraryString(IDS_EDIT_KEYSYM_TITLE), IDCANCEL);
    expectBox(VK_DELETE, list, "", IDNO, LibraryString(IDS_CONFIRM_DELETE_KEYSYM, "Greek", "alpha"));

    HWND sets = editor.sheet->Control(2, IDC_ST_SETS);
    SelectListRow(editor.sheet->Page(2), IDC_ST_SETS, 1);
    expectBox(VK_F2, sets, LibraryString(IDS_RENAME_SET_TITLE), IDCANCEL);
    expectBox(VK_INSERT, sets, LibraryString(IDS_ADD_SET_TITLE), IDCANCEL);
    expectBox(VK_DELETE, sets, "", IDNO, LibraryString(IDS_CONFIRM_DELETE_SET, "math"));

    HWND search = editor.sheet->Page(1);
    HWND text = ::GetDlgItem(search, IDC_SCH_FIND_TEXT);
    SetEditText(search, IDC_SCH_FIND_TEXT, "omega");
    expectBox(VK_RETURN, text, "", IDOK, LibraryString(IDS_NOT_FOUND, "omega"));
    EXPECT_TRUE(editor.sheet->IsOpen()) << "Enter in the search text finds; it does not close the sheet";
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    ::GetGUIThreadInfo(editor.sheet->threadId, &gui);
    EXPECT_EQ(gui.hwndFocus, text) << "after \"not found\" the search text has the focus";
}

TEST(KeySymDialog, OkFollowsBothFieldsAndValueKeepsHexAtItsEnd)
{
    Editor editor;
    HWND dialog = editor.OpenDialog(IDC_KS_ADD);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(WindowText(dialog), "New Keysym");
    EXPECT_EQ(::GetWindow(dialog, GW_OWNER), editor.sheet->sheet);
    EXPECT_FALSE(IsEnabled(dialog, IDOK));
    HWND name = ::GetDlgItem(dialog, IDC_SYM_NAME), value = ::GetDlgItem(dialog, IDC_SYM_VALUE);
    EXPECT_EQ(::SendMessageA(name, EM_GETLIMITTEXT, 0, 0), 30);
    EXPECT_EQ(::SendMessageA(value, EM_GETLIMITTEXT, 0, 0), 8);

    SetEditText(dialog, IDC_SYM_NAME, "omega");
    EXPECT_FALSE(IsEnabled(dialog, IDOK));
    SetEditText(dialog, IDC_SYM_VALUE, "7");
    EXPECT_TRUE(IsEnabled(dialog, IDOK));

    struct Case { const char* typedOrPasted; const char* kept; };
    const Case cases[] = {
        {"7d9", "7d9"}, {"7g", "7"}, {"12xy", "12"}, {"x1", "x1"}, {"zz", ""}, {"AbF", "AbF"},
    };
    for (const Case& c : cases) {
        SetEditText(dialog, IDC_SYM_VALUE, c.typedOrPasted);
        EXPECT_EQ(WindowText(value), c.kept) << c.typedOrPasted;
        EXPECT_EQ(IsEnabled(dialog, IDOK), *c.kept != '\0') << c.typedOrPasted;
    }
    // Typing a character at the end goes through the same test; the caret stays at the end.
    SetEditText(dialog, IDC_SYM_VALUE, "1a");
    ::SendMessageA(value, EM_SETSEL, 2, 2);
    ::SendMessageA(value, WM_CHAR, 'q', 0);
    EXPECT_EQ(WindowText(value), "1a");
    DWORD start = 0, end = 0;
    ::SendMessageA(value, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 2u);
    // A ninth character cannot be typed.
    SetEditText(dialog, IDC_SYM_VALUE, "12345678");
    ::SendMessageA(value, EM_SETSEL, 8, 8);
    ::SendMessageA(value, WM_CHAR, '9', 0);
    EXPECT_EQ(WindowText(value), "12345678");

    SetEditText(dialog, IDC_SYM_NAME, "");
    EXPECT_FALSE(IsEnabled(dialog, IDOK));
    editor.Dismiss(dialog, IDCANCEL);

    SelectListRow(editor.page, IDC_KS_KEYSYMS, 0);
    dialog = editor.OpenDialog(IDC_KS_EDIT);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(WindowText(dialog), "Edit Keysym");
    editor.Dismiss(dialog, IDCANCEL);
}

// The list layout on a real list box, drawn as the list box draws it: at every font size from
// 96 to 192 DPI the value column starts right of the widest name and within twice its width,
// and the horizontal extent reaches the last pixel of the widest row.
namespace {
struct Ink {
    int left = INT_MAX, right = -1;
};
// The inked columns of each row of `list` (drawn wide enough for every row to show whole).
std::vector<Ink> DrawnRows(HWND list, int width, int rowCount)
{
    RECT client{};
    ::GetClientRect(list, &client);
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, client.bottom);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    ::SendMessageA(list, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
    const int height = static_cast<int>(::SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
    const COLORREF background = ::GetPixel(dc, width - 1, rowCount * height + 1);   // under the rows
    std::vector<Ink> rows(rowCount);
    for (int r = 0; r < rowCount; ++r)
        for (int y = r * height; y < (r + 1) * height && y < client.bottom; ++y)
            for (int x = 0; x < width; ++x)
                if (::GetPixel(dc, x, y) != background) {
                    rows[r].left = std::min(rows[r].left, x);
                    rows[r].right = std::max(rows[r].right, x);
                }
    ::SelectObject(dc, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
    ::ReleaseDC(nullptr, screen);
    return rows;
}
} // namespace

TEST(ListLayout, ValueColumnAndExtentFollowTheRowsAsDrawnAtEveryScale)
{
    const int kWidth = 1400;
    HWND list = ::CreateWindowExA(0, "LISTBOX", "", WS_POPUP | LBS_USETABSTOPS | LBS_NOINTEGRALHEIGHT | WS_HSCROLL,
                                  0, 0, kWidth, 200, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(list, nullptr);
    CListBox box;
    box.Attach(list);
    int tabStop = LayOutKeySymList(box);
    EXPECT_GT(tabStop, 0) << "an empty list";
    EXPECT_EQ(::SendMessageA(list, LB_GETHORIZONTALEXTENT, 0, 0), 0);

    // Row 0 shows where the value column starts; row 1 holds the widest name, row 2 the widest row;
    // a row without a tab counts whole as a name. No font of its own first: the system font.
    box.AddString("\t8");
    box.AddString("no tab, the widest name");
    box.AddString("wide_name\t1234ABCD");
    for (const char* face : {"", "MS Shell Dlg", "MS UI Gothic"})
        for (int height : {11, 13, 16, 21}) {
            HFONT font = *face ? ::CreateFontA(-height, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, face)
                               : nullptr;
            if (font)
                ::SendMessageA(list, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
            tabStop = LayOutKeySymList(box);
            const std::vector<Ink> rows = DrawnRows(list, kWidth, 3);
            const int widestName = rows[1].right;
            EXPECT_GT(rows[0].left, widestName) << face << " " << height;
            EXPECT_LE(rows[0].left, 2 * widestName) << face << " " << height;
            EXPECT_GE(rows[0].left, tabStop) << face << " " << height;
            EXPECT_GT(::SendMessageA(list, LB_GETHORIZONTALEXTENT, 0, 0), std::max(rows[1].right, rows[2].right))
                << face << " " << height;
            if (!font)
                break;
            ::SendMessageA(list, WM_SETFONT, 0, FALSE);
            ::DeleteObject(font);
        }

    // A row far wider than 65535 pixels counts whole, without wrapping.
    box.ResetContent();
    box.AddString(std::string(20000, 'W') + "\t1");
    LayOutKeySymList(box);
    EXPECT_GT(::SendMessageA(list, LB_GETHORIZONTALEXTENT, 0, 0), 65535);
    ::DestroyWindow(list);
}
