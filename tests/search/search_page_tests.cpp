// The search page, worked as a user works it: typed text, the two option boxes, presses
// of Find, and the other pages in between.
#include "EditorDriver.h"
#include "resources/resource.h"
#include <gtest/gtest.h>
#include <mbctype.h>
#include <cstring>
#include <memory>

using namespace kstest;

namespace {
// Store order (byte order of the names): Aleph, Alpha, aardvark, alphabet, plusminus.
const char kTwoAlphas[] =
    "[main]\r\nGreek=1\r\nLatin=1\r\nmath=1\r\n"
    "[Greek]\r\nAleph=5d0\r\nAlpha=391\r\n"
    "[Latin]\r\naardvark=1\r\nalphabet=61\r\n"
    "[math]\r\nplusminus=b1\r\n";

// The same with a third hit, alpine, in math (store order: ... alphabet, alpine, plusminus).
const char kThreeAlphas[] =
    "[main]\r\nGreek=1\r\nLatin=1\r\nmath=1\r\n"
    "[Greek]\r\nAleph=5d0\r\nAlpha=391\r\n"
    "[Latin]\r\naardvark=1\r\nalphabet=61\r\n"
    "[math]\r\nalpine=2\r\nplusminus=b1\r\n";

const std::vector<std::string> kGreekRows{"Aleph\t5d0", "Alpha\t391"};
const std::vector<std::string> kLatinRows{"aardvark\t1", "alphabet\t61"};
const std::vector<std::string> kMathRows{"plusminus\tb1"};

struct SearchPage {
    explicit SearchPage(const std::string& file = kTwoAlphas) : module(file)
    {
        module.Load();
        sheet = std::make_unique<SheetSession>(module.module);
        page = sheet->Page(1);
    }
    HWND List() const { return ::GetDlgItem(page, IDC_SCH_KEYSYMS); }
    HWND Combo() const { return ::GetDlgItem(page, IDC_SCH_SETS); }
    std::string Text() const { return WindowText(::GetDlgItem(page, IDC_SCH_FIND_TEXT)); }
    std::string Caption() const { return WindowText(::GetDlgItem(page, IDC_SCH_FIND)); }
    bool FindEnabled() const { return IsEnabled(page, IDC_SCH_FIND); }
    void Type(const std::string& text) const { SetEditText(page, IDC_SCH_FIND_TEXT, text); }
    void Tick(int box, bool checked) const
    {
        ::SendMessageA(::GetDlgItem(page, box), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
        ClickButton(page, box);
    }
    std::string SelectedName() const
    {
        const int row = ListSelection(List());
        const auto rows = ListRows(List());
        if (row < 0 || row >= static_cast<int>(rows.size()))
            return "(no selection)";
        return rows[row].substr(0, rows[row].find('\t'));
    }

    // One press of Find: the name of the hit shown; "" when the search ended quietly;
    // "!" and the text when a message came up (answered with OK).
    std::string Press() const
    {
        PostClick(page, IDC_SCH_FIND);
        sheet->Sync();
        if (HWND box = sheet->FindBox()) {
            WaitFor([box] { return ::IsWindowVisible(box) != FALSE; }, 2000);
            std::string text(1, '!');
            text += MessageBoxText(box);
            EXPECT_TRUE(HasButton(box, IDOK) && !HasButton(box, IDCANCEL)) << text;
            Answer(box, IDOK);
            WaitGone(box);
            return text;
        }
        if (Caption() == LibraryString(IDS_FIND_NEXT))
            return SelectedName();
        return "";
    }
    // Presses until the search ends; every outcome in turn.
    std::vector<std::string> PressUntilEnd() const
    {
        std::vector<std::string> outcomes;
        for (int i = 0; i < 10; ++i) {
            outcomes.push_back(Press());
            if (outcomes.back().empty() || outcomes.back()[0] == '!')
                break;
        }
        return outcomes;
    }

    ModuleFixture module;
    std::unique_ptr<SheetSession> sheet;
    HWND page = nullptr;
};

std::string NotFound(const std::string& text)
{
    std::string message = "!";
    message += LibraryString(IDS_NOT_FOUND, text);
    return message;
}
}  // namespace

TEST(SearchPage, OpensIdleOnTheSharedSet)
{
    SearchPage search;
    ASSERT_TRUE(search.sheet->IsOpen());
    EXPECT_EQ(ComboRows(search.Combo()), (std::vector<std::string>{"Greek", "Latin", "math"}));
    EXPECT_EQ(ComboSelection(search.Combo()), 0);
    EXPECT_EQ(ListRows(search.List()), kGreekRows);
    EXPECT_EQ(search.Caption(), LibraryString(IDS_FIND));
    EXPECT_FALSE(search.FindEnabled());
    search.Type("a");
    EXPECT_TRUE(search.FindEnabled());
    search.Type("");
    EXPECT_FALSE(search.FindEnabled());
}

TEST(SearchPage, ShowsEachHitInItsSetUntilTheSearchRunsOut)
{
    SearchPage search;
    search.Type("alp");
    ASSERT_TRUE(search.FindEnabled());

    EXPECT_EQ(search.Press(), "Alpha");
    EXPECT_EQ(ComboSelection(search.Combo()), 0);
    EXPECT_EQ(ListRows(search.List()), kGreekRows);
    EXPECT_EQ(ListSelection(search.List()), 1);
    EXPECT_EQ(search.Caption(), LibraryString(IDS_FIND_NEXT));
    EXPECT_TRUE(search.FindEnabled());

    EXPECT_EQ(search.Press(), "alphabet");
    EXPECT_EQ(ComboSelection(search.Combo()), 1);
    EXPECT_EQ(ListRows(search.List()), kLatinRows);
    EXPECT_EQ(ListSelection(search.List()), 1);

    // No wrap-around: the press after the last hit ends the search without a word.
    EXPECT_EQ(search.Press(), "");
    EXPECT_FALSE(search.FindEnabled());
    EXPECT_EQ(search.Caption(), LibraryString(IDS_FIND));
    EXPECT_EQ(search.Text(), "");
    EXPECT_EQ(ListRows(search.List()), kLatinRows);
}

TEST(SearchPage, MatchesNamesByTheChosenRules)
{
    struct Case {
        const char* text;
        bool matchCase, wholeName;
        std::vector<std::string> outcomes;
    };
    const Case cases[] = {
        {"alp", false, false, {"Alpha", "alphabet", ""}},
        {"ALP", false, false, {"Alpha", "alphabet", ""}},
        {"alp", true, false, {"alphabet", ""}},
        {"ALPHA", false, true, {"Alpha", ""}},
        {"Alpha", true, true, {"Alpha", ""}},
        {"ALPHA", true, true, {NotFound("ALPHA")}},
        {"pha", false, false, {NotFound("pha")}},       // only the beginning of a name counts
        {"391", false, false, {NotFound("391")}},       // values are not searched
        {"Latin", false, false, {NotFound("Latin")}},   // nor set names
    };
    SearchPage search;
    for (const Case& c : cases) {
        search.Tick(IDC_SCH_MATCH_CASE, c.matchCase);
        search.Tick(IDC_SCH_WHOLE_NAME, c.wholeName);
        search.Type(c.text);
        EXPECT_EQ(search.PressUntilEnd(), c.outcomes)
            << "text " << c.text << ", match case " << c.matchCase << ", whole name " << c.wholeName;
    }
}

TEST(SearchPage, NewSearchWithoutAHitSaysSoAndWaitsForAnotherText)
{
    SearchPage search;
    search.Type("xyz");
    EXPECT_EQ(search.Press(), NotFound("xyz"));
    EXPECT_EQ(search.Text(), "xyz");
    EXPECT_FALSE(search.FindEnabled());
    EXPECT_EQ(search.Caption(), LibraryString(IDS_FIND));
    EXPECT_EQ(ListRows(search.List()), kGreekRows);
    search.Type("xy");
    EXPECT_TRUE(search.FindEnabled());

    // The edit takes 32 characters and refuses the 33rd as it is typed.
    search.Type("");
    HWND edit = ::GetDlgItem(search.page, IDC_SCH_FIND_TEXT);
    for (int i = 0; i < 33; ++i)
        ::SendMessageA(edit, WM_CHAR, 'q', 0);
    EXPECT_EQ(search.Text(), std::string(32, 'q'));
}

TEST(SearchPage, EmptyStoreFindsNothing)
{
    SearchPage search("[main]\r\n");
    EXPECT_TRUE(ComboRows(search.Combo()).empty());
    EXPECT_TRUE(ListRows(search.List()).empty());
    search.Type("a");
    EXPECT_EQ(search.Press(), NotFound("a"));
    EXPECT_FALSE(search.FindEnabled());
}

TEST(SearchPage, ContinuedSearchTakesNewRulesFromWhereItStands)
{
    SearchPage search;
    search.Type("alpha");
    EXPECT_EQ(search.Press(), "Alpha");
    search.Tick(IDC_SCH_WHOLE_NAME, true);
    // alphabet is the only name left after Alpha, and it is no whole match: a quiet end,
    // not Alpha again and not the new-search message.
    EXPECT_EQ(search.Press(), "");

    search.Tick(IDC_SCH_WHOLE_NAME, false);
    search.Type("ALP");
    EXPECT_EQ(search.Press(), "Alpha");
    search.Tick(IDC_SCH_MATCH_CASE, true);
    // Case now matters and nothing after Alpha begins with "ALP".
    EXPECT_EQ(search.Press(), "");
}

TEST(SearchPage, EditingTheTextStartsAgainFromTheFirstKeySym)
{
    SearchPage search;
    search.Type("alp");
    EXPECT_EQ(search.Press(), "Alpha");
    EXPECT_EQ(search.Press(), "alphabet");
    search.Type("alph");
    // The caption still offers to continue, but the next press is a new search.
    EXPECT_EQ(search.Caption(), LibraryString(IDS_FIND_NEXT));
    EXPECT_TRUE(search.FindEnabled());
    EXPECT_EQ(search.Press(), "Alpha");
}

TEST(SearchPage, ShowingThePageAgainKeepsASearchUnderWayOnly)
{
    SearchPage search;
    search.Type("alp");
    EXPECT_EQ(search.Press(), "Alpha");
    search.sheet->Page(2);
    search.page = search.sheet->Page(1);
    EXPECT_EQ(search.Text(), "alp");
    EXPECT_TRUE(search.FindEnabled());
    EXPECT_EQ(search.Caption(), LibraryString(IDS_FIND_NEXT));
    EXPECT_EQ(ComboSelection(search.Combo()), 0);
    EXPECT_EQ(ListSelection(search.List()), 1);
    EXPECT_EQ(search.Press(), "alphabet");
    EXPECT_EQ(search.Press(), "");

    // Idle: a text typed but never searched for is cleared.
    search.Type("beta");
    search.sheet->Page(0);
    search.page = search.sheet->Page(1);
    EXPECT_EQ(search.Text(), "");
    EXPECT_FALSE(search.FindEnabled());
}

TEST(SearchPage, ChoosingAnotherSetDoesNotMoveTheSearch)
{
    SearchPage search;
    search.Type("alp");
    EXPECT_EQ(search.Press(), "Alpha");
    SelectComboRow(search.page, IDC_SCH_SETS, 2);
    EXPECT_EQ(ListRows(search.List()), kMathRows);
    EXPECT_EQ(search.Caption(), LibraryString(IDS_FIND_NEXT));
    EXPECT_EQ(search.Press(), "alphabet");
    EXPECT_EQ(ComboSelection(search.Combo()), 1);
}

TEST(SearchPage, KeySymPageOpensOnTheSetAndRowFound)
{
    SearchPage search;
    search.Tick(IDC_SCH_WHOLE_NAME, true);
    search.Type("alphabet");
    EXPECT_EQ(search.Press(), "alphabet");
    HWND keySymPage = search.sheet->Page(0);
    EXPECT_EQ(ComboSelection(::GetDlgItem(keySymPage, IDC_KS_SETS)), 1);
    EXPECT_EQ(ListRows(::GetDlgItem(keySymPage, IDC_KS_KEYSYMS)), kLatinRows);
    EXPECT_EQ(ListSelection(::GetDlgItem(keySymPage, IDC_KS_KEYSYMS)), 1);

    // A row chosen by hand on the search page is shared the same way.
    search.page = search.sheet->Page(1);
    SelectListRow(search.page, IDC_SCH_KEYSYMS, 0);
    keySymPage = search.sheet->Page(0);
    EXPECT_EQ(ListSelection(::GetDlgItem(keySymPage, IDC_KS_KEYSYMS)), 0);
}

TEST(SearchPage, KeySymsDeletedBetweenPressesAreNeverShown)
{
    SearchPage search(kThreeAlphas);
    search.Type("alp");
    EXPECT_EQ(search.Press(), "Alpha");

    // On the keysym page, delete the last hit and the keysym the search would show next.
    HWND keySymPage = search.sheet->Page(0);
    auto deleteRow = [&](int set, int row) {
        SelectComboRow(keySymPage, IDC_KS_SETS, set);
        SelectListRow(keySymPage, IDC_KS_KEYSYMS, row);
        PostClick(keySymPage, IDC_KS_DELETE);
        HWND box = search.sheet->WaitForPopup();
        ASSERT_NE(box, nullptr);
        Answer(box, IDYES);
        WaitGone(box);
    };
    deleteRow(0, 1);   // Alpha
    deleteRow(1, 1);   // alphabet
    ASSERT_EQ(ListRows(::GetDlgItem(keySymPage, IDC_KS_KEYSYMS)), (std::vector<std::string>{"aardvark\t1"}));

    search.page = search.sheet->Page(1);
    EXPECT_EQ(search.Caption(), LibraryString(IDS_FIND_NEXT));
    EXPECT_EQ(search.Press(), "alpine");
    EXPECT_EQ(ComboSelection(search.Combo()), 2);
    EXPECT_EQ(ListRows(search.List()), (std::vector<std::string>{"alpine\t2", "plusminus\tb1"}));
    EXPECT_EQ(ListSelection(search.List()), 0);
    EXPECT_EQ(search.Press(), "");
}

TEST(SearchPage, AHitInTheSecondOfTwoSetsNamedAlikeShowsThatSet)
{
    SearchPage search("[main]\r\nGreek=1\r\nGreek=1\r\n[Greek]\r\nalpha=3b1\r\n");
    search.Type("alpha");
    EXPECT_EQ(search.Press(), "alpha");
    EXPECT_EQ(ComboSelection(search.Combo()), 1);
    EXPECT_EQ(ListRows(search.List()), (std::vector<std::string>{"alpha\t3b1"}));
}

TEST(SearchPage, FoldsCaseByCharactersOfADoubleByteCodePage)
{
    // Under code page 932, 0x83 0x41 and 0x83 0x61 are two different katakana: the trail
    // byte is no letter to fold, while a letter after a double-byte character still is.
    SearchPage search(
        "[main]\r\nkana=1\r\n"
        "[kana]\r\n\x83\x41k=1\r\n\x83\x61k=2\r\n");
    const int previous = _getmbcp();
    ASSERT_EQ(_setmbcp(932), 0);
    search.Type("\x83\x61");
    const auto katakana = search.PressUntilEnd();
    search.Tick(IDC_SCH_WHOLE_NAME, true);
    search.Type("\x83\x61K");
    const auto wholeKatakana = search.PressUntilEnd();
    _setmbcp(previous);

    EXPECT_EQ(katakana, (std::vector<std::string>{"\x83\x61k", ""}));
    EXPECT_EQ(wholeKatakana, (std::vector<std::string>{"\x83\x61k", ""}));
}

TEST(SearchPage, SetsChangedBetweenPressesShowEachHitInItsSetAsItIsNow)
{
    SearchPage search(kThreeAlphas);
    search.Type("alp");
    EXPECT_EQ(search.Press(), "Alpha");

    // Delete the set of the last hit and give another set a name that sorts last.
    HWND setPage = search.sheet->Page(2);
    SelectListRow(setPage, IDC_ST_SETS, 0);
    PostClick(setPage, IDC_ST_DELETE);
    HWND box = search.sheet->WaitForPopup();
    ASSERT_NE(box, nullptr);
    Answer(box, IDYES);
    WaitGone(box);
    SelectListRow(setPage, IDC_ST_SETS, 0);
    PostClick(setPage, IDC_ST_RENAME);
    HWND dialog = search.sheet->WaitForPopup();
    ASSERT_NE(dialog, nullptr);
    SetEditText(dialog, IDC_SET_NEW_NAME, "Zulu");
    Answer(dialog, IDOK);
    WaitGone(dialog);
    ASSERT_EQ(ListRows(::GetDlgItem(setPage, IDC_ST_SETS)), (std::vector<std::string>{"math", "Zulu"}));

    search.page = search.sheet->Page(1);
    EXPECT_EQ(search.Press(), "alphabet");
    EXPECT_EQ(ComboSelection(search.Combo()), 1);
    EXPECT_EQ(ListRows(search.List()), kLatinRows);
    EXPECT_EQ(search.Press(), "alpine");
    EXPECT_EQ(ComboSelection(search.Combo()), 0);
    EXPECT_EQ(search.Press(), "");
}
