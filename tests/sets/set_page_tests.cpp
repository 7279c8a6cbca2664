// The set page and the set name dialog, worked as a user works them in the real sheet:
// the list, Add, Rename and Delete, the dialog's two modes, the messages, and the keysym
// file that Apply writes, read back as the module reads it.
#include "EditorDriver.h"
#include "StoreContents.h"
#include "resources/resource.h"
#include <gtest/gtest.h>
#include <cstring>
#include <memory>
#include <random>

using namespace kstest;

namespace {
const int kKeySymPage = 0;
const int kSetPage = 2;

const char kThreeSets[] =
    "[main]\r\nGreek=1\r\nmath=1\r\nZed=1\r\n"
    "[Greek]\r\nalpha=7e1\r\nbeta=7e2\r\n[math]\r\nplusminus=b1\r\n[Zed]\r\nzeta=7f6\r\n";

StoreContents ThreeSets()
{
    StoreContents c;
    c.names = {"Greek", "math", "Zed"};
    c.keySyms = {{"alpha", {"7e1", "Greek"}}, {"beta", {"7e2", "Greek"}},
                 {"plusminus", {"b1", "math"}}, {"zeta", {"7f6", "Zed"}}};
    return c;
}

bool IsVisible(HWND dialog, int id) { return ::IsWindowVisible(::GetDlgItem(dialog, id)) != FALSE; }

struct SetPage {
    explicit SetPage(const std::string& file = kThreeSets) : module(file)
    {
        module.Load();
        sheet = std::make_unique<SheetSession>(module.module);
        page = sheet->Page(kSetPage);
    }
    HWND List() const { return ::GetDlgItem(page, IDC_ST_SETS); }
    std::vector<std::string> Rows() const { return ListRows(List()); }
    int Selection() const { return ListSelection(List()); }
    void Select(int row) const { SelectListRow(page, IDC_ST_SETS, row); }

    // Opens the set name dialog with Add or Rename.
    HWND OpenNameDialog(int button) const
    {
        PostClick(page, button);
        return sheet->WaitForPopup();
    }
    // Add or Rename with `typed` as the name. Returns the message that came up instead,
    // answered with OK, or "" when there was none.
    std::string Name(int button, const std::string& typed) const
    {
        HWND dialog = OpenNameDialog(button);
        if (!dialog)
            return "(no dialog)";
        SetEditText(dialog, IDC_SET_NEW_NAME, typed);
        PostClick(dialog, IDOK);
        sheet->Sync();
        HWND box = sheet->FindBox();
        if (!box)
            return "";
        std::string text = MessageBoxText(box);
        Answer(box, IDOK);
        WaitGone(box);
        sheet->Sync();
        return text;
    }
    std::string Add(const std::string& name) const { return Name(IDC_ST_ADD, name); }
    std::string Rename(int row, const std::string& name) const
    {
        Select(row);
        return Name(IDC_ST_RENAME, name);
    }
    // Delete of the selected row, answered with `answer`; the question asked.
    std::string Delete(int answer) const
    {
        PostClick(page, IDC_ST_DELETE);
        HWND box = sheet->WaitForPopup();
        if (!box)
            return "(no question)";
        std::string text = MessageBoxText(box);
        Answer(box, answer);
        WaitGone(box);
        sheet->Sync();
        return text;
    }
    void Apply() const
    {
        sheet->PressButton(PSBTN_APPLYNOW);
        sheet->Sync();
    }
    // The set that the keysym page opens on: the current set the pages share.
    int CurrentSet() const
    {
        const int set = ComboSelection(::GetDlgItem(sheet->Page(kKeySymPage), IDC_KS_SETS));
        sheet->Page(kSetPage);
        return set;
    }

    ModuleFixture module;
    std::unique_ptr<SheetSession> sheet;
    HWND page = nullptr;
};
}  // namespace

TEST(SetNameDialog, AddModeHidesTheCurrentNameAndOkFollowsTheField)
{
    SetPage editor;
    HWND dialog = editor.OpenNameDialog(IDC_ST_ADD);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(WindowText(dialog), LibraryString(IDS_ADD_SET_TITLE));
    EXPECT_FALSE(IsVisible(dialog, IDC_SET_CURRENT_LABEL));
    EXPECT_EQ(WindowText(::GetDlgItem(dialog, IDC_SET_NEW_NAME)), "");
    EXPECT_FALSE(IsEnabled(dialog, IDOK));

    SetEditText(dialog, IDC_SET_NEW_NAME, "x");
    EXPECT_TRUE(IsEnabled(dialog, IDOK));
    SetEditText(dialog, IDC_SET_NEW_NAME, "");
    EXPECT_FALSE(IsEnabled(dialog, IDOK));
    SetEditText(dialog, IDC_SET_NEW_NAME, " ");
    EXPECT_TRUE(IsEnabled(dialog, IDOK)) << "a blank is text to the dialog; the page judges it";

    // Typing and pasting stop at 40 characters.
    HWND field = ::GetDlgItem(dialog, IDC_SET_NEW_NAME);
    const std::string forty(40, 'n');
    SetEditText(dialog, IDC_SET_NEW_NAME, forty);
    ::SendMessageA(field, EM_SETSEL, 40, 40);
    ::SendMessageA(field, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("z"));
    ::SendMessageA(field, WM_CHAR, 'z', 0);
    EXPECT_EQ(WindowText(field), forty);

    // Cancel takes nothing, whatever was typed.
    PostClick(dialog, IDCANCEL);
    EXPECT_TRUE(WaitGone(dialog));
    editor.sheet->Sync();
    EXPECT_EQ(editor.Rows(), ThreeSets().names);
    EXPECT_FALSE(editor.sheet->IsApplyEnabled());
}

TEST(SetNameDialog, RenameModeShowsTheCurrentNameBesideAnEmptyField)
{
    SetPage editor;
    editor.Select(1);
    HWND dialog = editor.OpenNameDialog(IDC_ST_RENAME);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(WindowText(dialog), LibraryString(IDS_RENAME_SET_TITLE));
    EXPECT_TRUE(IsVisible(dialog, IDC_SET_CURRENT_LABEL));
    EXPECT_EQ(WindowText(::GetDlgItem(dialog, IDC_SET_CURRENT_NAME)), "math");
    EXPECT_EQ(WindowText(::GetDlgItem(dialog, IDC_SET_NEW_NAME)), "");
    EXPECT_FALSE(IsEnabled(dialog, IDOK));
    SetEditText(dialog, IDC_SET_NEW_NAME, "algebra");
    PostClick(dialog, IDCANCEL);
    EXPECT_TRUE(WaitGone(dialog));
    editor.sheet->Sync();
    EXPECT_EQ(editor.Rows(), ThreeSets().names);
    EXPECT_FALSE(editor.sheet->IsApplyEnabled());
}

TEST(SetPage, OpensOnTheCurrentSetWithRenameAndDeleteWaiting)
{
    SetPage editor;
    EXPECT_EQ(editor.Rows(), ThreeSets().names);
    EXPECT_EQ(editor.Selection(), 0);
    EXPECT_TRUE(IsEnabled(editor.page, IDC_ST_ADD));
    EXPECT_FALSE(IsEnabled(editor.page, IDC_ST_RENAME));
    EXPECT_FALSE(IsEnabled(editor.page, IDC_ST_DELETE));
    editor.Select(2);
    EXPECT_TRUE(IsEnabled(editor.page, IDC_ST_RENAME));
    EXPECT_TRUE(IsEnabled(editor.page, IDC_ST_DELETE));
}

TEST(SetPage, AddPutsTheSetInItsSortedPlace)
{
    {
        SetPage empty("");
        EXPECT_EQ(empty.Add("Greek"), "");
        EXPECT_EQ(empty.Rows(), std::vector<std::string>{"Greek"});
        EXPECT_EQ(empty.Selection(), 0);
        EXPECT_TRUE(empty.sheet->IsApplyEnabled());
    }

    SetPage editor;
    StoreContents expected = ThreeSets();
    // Before every other set: every keysym's set position moves up by one.
    EXPECT_EQ(editor.Add("_first"), "");
    EXPECT_EQ(editor.Rows(), (std::vector<std::string>{"_first", "Greek", "math", "Zed"}));
    EXPECT_EQ(editor.Selection(), 0);
    EXPECT_FALSE(IsEnabled(editor.page, IDC_ST_RENAME)) << "the page's own selection enables nothing";
    EXPECT_FALSE(IsEnabled(editor.page, IDC_ST_DELETE));
    EXPECT_TRUE(editor.sheet->IsApplyEnabled());

    // After every other set, with the blanks at its ends dropped.
    EXPECT_EQ(editor.Add(" \tzz top\t "), "");
    EXPECT_EQ(editor.Rows(), (std::vector<std::string>{"_first", "Greek", "math", "Zed", "zz top"}));
    EXPECT_EQ(editor.Selection(), 4);
    EXPECT_EQ(editor.CurrentSet(), 4);

    EXPECT_EQ(editor.Add("Kana"), "");
    EXPECT_EQ(editor.Selection(), 2);
    EXPECT_EQ(editor.CurrentSet(), 2);

    editor.Apply();
    EXPECT_FALSE(editor.sheet->IsApplyEnabled());
    expected.names = {"_first", "Greek", "Kana", "math", "Zed", "zz top"};
    EXPECT_TRUE(ReadsBackAs(editor.module.keySymFile, expected));
}

TEST(SetPage, DeleteTakesTheKeySymsAlongAndSelectsTheNextRow)
{
    SetPage editor;
    StoreContents expected = ThreeSets();

    editor.Select(1);
    EXPECT_EQ(editor.Delete(IDNO), LibraryString(IDS_CONFIRM_DELETE_SET, "math"));
    EXPECT_EQ(editor.Rows(), expected.names);
    EXPECT_FALSE(editor.sheet->IsApplyEnabled());

    // A middle row: the set that followed takes its row.
    EXPECT_EQ(editor.Delete(IDYES), LibraryString(IDS_CONFIRM_DELETE_SET, "math"));
    EXPECT_EQ(editor.Rows(), (std::vector<std::string>{"Greek", "Zed"}));
    EXPECT_EQ(editor.Selection(), 1);
    EXPECT_EQ(editor.CurrentSet(), 1);
    editor.Apply();
    expected.names = {"Greek", "Zed"};
    expected.keySyms.erase("plusminus");
    EXPECT_TRUE(ReadsBackAs(editor.module.keySymFile, expected));

    // The last row: the first row is next.
    editor.Select(1);
    EXPECT_EQ(editor.Delete(IDYES), LibraryString(IDS_CONFIRM_DELETE_SET, "Zed"));
    EXPECT_EQ(editor.Rows(), std::vector<std::string>{"Greek"});
    EXPECT_EQ(editor.Selection(), 0);
    EXPECT_EQ(editor.CurrentSet(), 0);

    // The only set.
    editor.Select(0);
    editor.Delete(IDYES);
    EXPECT_TRUE(editor.Rows().empty());
    EXPECT_EQ(editor.Selection(), LB_ERR);
    EXPECT_TRUE(IsEnabled(editor.page, IDC_ST_RENAME));
    EXPECT_TRUE(IsEnabled(editor.page, IDC_ST_DELETE));
    ClickButton(editor.page, IDC_ST_DELETE);
    ClickButton(editor.page, IDC_ST_RENAME);
    editor.sheet->Sync();
    EXPECT_EQ(editor.sheet->FindBox(), nullptr) << "nothing selected, nothing asked";

    editor.Apply();
    EXPECT_TRUE(ReadsBackAs(editor.module.keySymFile, StoreContents{}));
    EXPECT_EQ(ReadFileBytes(editor.module.keySymFile), "[main]\r\n");
}

TEST(SetPage, RenameMovesTheSetWithItsKeySyms)
{
    SetPage editor;
    StoreContents expected = ThreeSets();

    // Forwards past math.
    EXPECT_EQ(editor.Rename(0, "Omega"), "");
    EXPECT_EQ(editor.Rows(), (std::vector<std::string>{"math", "Omega", "Zed"}));
    EXPECT_EQ(editor.Selection(), 1);
    EXPECT_EQ(editor.CurrentSet(), 1);

    // Backwards past both others.
    EXPECT_EQ(editor.Rename(2, "Alpha"), "");
    EXPECT_EQ(editor.Rows(), (std::vector<std::string>{"Alpha", "math", "Omega"}));
    EXPECT_EQ(editor.Selection(), 0);
    EXPECT_EQ(editor.CurrentSet(), 0);
    editor.Apply();
    expected.names = {"Alpha", "math", "Omega"};
    expected.keySyms["alpha"].second = expected.keySyms["beta"].second = "Omega";
    expected.keySyms["zeta"].second = "Alpha";
    EXPECT_TRUE(ReadsBackAs(editor.module.keySymFile, expected));

    // Its own name changes nothing but still counts as a change.
    EXPECT_EQ(editor.Rename(1, "math"), "");
    EXPECT_EQ(editor.Rows(), expected.names);
    EXPECT_EQ(editor.Selection(), 1);
    EXPECT_TRUE(editor.sheet->IsApplyEnabled());

    // Letter case only.
    EXPECT_EQ(editor.Rename(1, "MATH"), "");
    EXPECT_EQ(editor.Rows(), (std::vector<std::string>{"Alpha", "MATH", "Omega"}));
    editor.Apply();
    expected.names[1] = "MATH";
    expected.keySyms["plusminus"].second = "MATH";
    EXPECT_TRUE(ReadsBackAs(editor.module.keySymFile, expected));
}

TEST(SetPage, NamesTheFileCannotGiveBackAreRefusedAndChangeNothing)
{
    SetPage editor;
    const std::vector<std::string> rows = ThreeSets().names;
    struct Case {
        int row;   // -1: Add
        const char* typed;
        std::string message;
    } const cases[] = {
        {-1, "a=b", LibraryString(IDS_SET_NAME_UNSTORABLE, "a=b")},
        {-1, "[x]", LibraryString(IDS_SET_NAME_UNSTORABLE, "[x]")},
        {-1, " Main ", LibraryString(IDS_SET_NAME_UNSTORABLE, "Main")},
        {-1, "GREEK", LibraryString(IDS_SET_NAME_TAKEN, "GREEK", "Greek")},
        {-1, " \t ", LibraryString(IDS_SET_NAME_BLANK)},
        {0, "Math", LibraryString(IDS_SET_NAME_TAKEN, "Math", "math")},
        {0, "main", LibraryString(IDS_SET_NAME_UNSTORABLE, "main")},
        {2, "z]", LibraryString(IDS_SET_NAME_UNSTORABLE, "z]")},
        {2, "  ", LibraryString(IDS_SET_NAME_BLANK)},
    };
    for (const Case& c : cases) {
        const std::string shown = c.row < 0 ? editor.Add(c.typed) : editor.Rename(c.row, c.typed);
        EXPECT_EQ(shown, c.message) << "\"" << c.typed << "\"";
        EXPECT_EQ(editor.Rows(), rows) << "\"" << c.typed << "\"";
        EXPECT_FALSE(editor.sheet->IsApplyEnabled()) << "\"" << c.typed << "\"";
    }
    EXPECT_NE(LibraryString(IDS_SET_NAME_UNSTORABLE), LibraryString(IDS_SET_NAME_TAKEN));
}

// A hand-edited file: Add, Rename and Delete change the set list, the renamed header and the
// deleted set's lines; comments, a note, an unlisted and a repeated section stay in place.
TEST(SetPage, HandEditedFileKeepsEveryLineTheEditorDoesNotShow)
{
    const std::string comments = "; keysyms for the lab, kept by hand\r\n";
    const std::string greek = "\r\n[Greek]\r\n; small letters\r\nalpha=7e1\r\nbeta=7e2\r\nsee the chart on the wall\r\n";
    const std::string others = "[extras]\r\nfoo=1\r\n[greek]\r\ngamma=7e3\r\n";
    SetPage editor(comments + "[main]\r\nGreek=1\r\ngreek=1\r\nmath=1\r\nZed=1\r\n" + greek +
                   "[math]\r\nplusminus=b1\r\n" + others + "[Zed]\r\nzeta=7f6\r\n");
    EXPECT_EQ(editor.Add("arrows"), "");
    EXPECT_EQ(editor.Rename(3, "maths"), "");
    editor.Select(4);
    editor.Delete(IDYES);
    ASSERT_EQ(editor.Rows(), (std::vector<std::string>{"arrows", "Greek", "greek", "maths"}));
    editor.Apply();
    EXPECT_EQ(ReadFileBytes(editor.module.keySymFile),
              comments + "[main]\r\narrows=1\r\nGreek=1\r\ngreek=1\r\nmaths=1\r\n" + greek +
                  "[maths]\r\nplusminus=b1\r\n" + others + "[arrows]\r\n");
}

TEST(SetPage, TheCurrentSetIsSharedWithTheKeySymPage)
{
    SetPage editor;
    HWND keySymPage = editor.sheet->Page(kKeySymPage);
    SelectComboRow(keySymPage, IDC_KS_SETS, 2);
    editor.sheet->Page(kSetPage);
    EXPECT_EQ(editor.Selection(), 2);

    editor.Select(1);
    keySymPage = editor.sheet->Page(kKeySymPage);
    EXPECT_EQ(ComboSelection(::GetDlgItem(keySymPage, IDC_KS_SETS)), 1);
    EXPECT_EQ(ListRows(::GetDlgItem(keySymPage, IDC_KS_KEYSYMS)), std::vector<std::string>{"plusminus\tb1"});
    editor.sheet->Page(kSetPage);
    EXPECT_EQ(editor.Selection(), 1);
}

TEST(SetPage, RandomEditsKeepTheListAndTheFileInStep)
{
    // Random stores and random adds, renames and deletes, refused names among them; the
    // list must show the set list after every step, and the file written by Apply every
    // few steps must read back as the model says.
    std::mt19937 random(1208);
    const char* parts[] = {"a", "Ka", "mi", "_", "Zo", "ru", "E", " ", "=", "main"};
    auto RandomName = [&] {
        std::string name;
        for (int i = 1 + static_cast<int>(random() % 3); i > 0; --i)
            name += parts[random() % std::size(parts)];
        return name;
    };
    // The name the page keeps for `typed`, or "" when it refuses it.
    auto Usable = [](const std::vector<std::string>& sets, std::string typed, int self) {
        while (!typed.empty() && (typed.front() == ' ' || typed.front() == '\t'))
            typed.erase(0, 1);
        while (!typed.empty() && (typed.back() == ' ' || typed.back() == '\t'))
            typed.pop_back();
        if (typed.empty() || typed.find_first_of("=[]") != std::string::npos || _stricmp(typed.c_str(), "main") == 0)
            return std::string();
        for (int i = 0; i < static_cast<int>(sets.size()); ++i)
            if (i != self && _stricmp(sets[i].c_str(), typed.c_str()) == 0)
                return std::string();
        return typed;
    };

    for (int run = 0; run < 12; ++run) {
        StoreContents model;
        for (int i = static_cast<int>(random() % 6); i > 0; --i)
            if (const std::string name = Usable(model.names, RandomName(), -1); !name.empty())
                model.names.push_back(name);
        model.names = SortedSetNames(model.names);
        for (int k = static_cast<int>(random() % 12); k > 0 && !model.names.empty(); --k)
            model.keySyms["ks" + std::to_string(random() % 100)] = {std::to_string(k),
                                                                   model.names[random() % model.names.size()]};
        SetPage editor(KeySymFileFor(model));
        ASSERT_EQ(editor.Rows(), model.names);

        for (int step = 0; step < 10; ++step) {
            const int sets = static_cast<int>(model.names.size());
            const int kind = static_cast<int>(random() % 3);
            const std::string typed = RandomName();
            std::string described;
            if (kind == 0 || sets == 0) {
                described = "add \"" + typed + "\"";
                const std::string name = Usable(model.names, typed, -1);
                EXPECT_EQ(editor.Add(typed).empty(), !name.empty()) << described;
                if (!name.empty()) {
                    model.names.push_back(name);
                    model.names = SortedSetNames(model.names);
                }
            } else if (kind == 1) {
                const int row = static_cast<int>(random() % sets);
                described = "rename " + model.names[row] + " to \"" + typed + "\"";
                const std::string name = Usable(model.names, typed, row);
                EXPECT_EQ(editor.Rename(row, typed).empty(), !name.empty()) << described;
                if (!name.empty()) {
                    const std::string old = model.names[row];
                    model.names[row] = name;
                    model.names = SortedSetNames(model.names);
                    for (auto& keySym : model.keySyms)
                        if (keySym.second.second == old)
                            keySym.second.second = name;
                }
            } else {
                const int row = static_cast<int>(random() % sets);
                described = "delete " + model.names[row];
                editor.Select(row);
                editor.Delete(IDYES);
                const std::string gone = model.names[row];
                model.names.erase(model.names.begin() + row);
                std::erase_if(model.keySyms, [&](const auto& keySym) { return keySym.second.second == gone; });
            }
            ASSERT_EQ(editor.Rows(), model.names) << "run " << run << ", step " << step << ": " << described;
            if (step % 3 == 2) {
                editor.Apply();
                ASSERT_TRUE(ReadsBackAs(editor.module.keySymFile, model))
                    << "run " << run << ", step " << step << ": " << described;
            }
        }
    }
}
