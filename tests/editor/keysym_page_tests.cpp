// The keysym page and the keysym dialog, worked as a user works them.
#include "EditorDriver.h"
#include "resources/resource.h"
#include <gtest/gtest.h>

using namespace kstest;

namespace {
const char kGreekAndMath[] =
    "[main]\r\nGreek=1\r\nmath=1\r\n[Greek]\r\nalpha=7e1\r\nbeta=7e2\r\n[math]\r\nplusminus=b1\r\n";

struct Editor {
    explicit Editor(const std::string& file = kGreekAndMath) : module(file)
    {
        module.Load();
        sheet = std::make_unique<SheetSession>(module.module);
        page = sheet->Page(0);
    }
    HWND List() const { return ::GetDlgItem(page, IDC_KS_KEYSYMS); }
    HWND Combo() const { return ::GetDlgItem(page, IDC_KS_SETS); }
    ModuleFixture module;
    std::unique_ptr<SheetSession> sheet;
    HWND page = nullptr;
};
}

TEST(KeySymPage, OpensOnFirstSetWithItsKeySyms)
{
    Editor editor;
    ASSERT_TRUE(editor.sheet->IsOpen());
    EXPECT_EQ(ComboRows(editor.Combo()), (std::vector<std::string>{"Greek", "math"}));
    EXPECT_EQ(ComboSelection(editor.Combo()), 0);
    EXPECT_EQ(ListRows(editor.List()), (std::vector<std::string>{"alpha\t7e1", "beta\t7e2"}));
    EXPECT_FALSE(IsEnabled(editor.page, IDC_KS_EDIT));
    EXPECT_FALSE(IsEnabled(editor.page, IDC_KS_DELETE));
    EXPECT_TRUE(IsEnabled(editor.page, IDC_KS_ADD));
}
