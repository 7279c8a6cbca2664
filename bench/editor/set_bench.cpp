// The set page's actions on a large store: each add, rename and delete renumbers the
// keysyms of the sets behind the changed place.
#include "BenchEditor.h"
#include "resources/resource.h"
#include <memory>

using namespace kstest;

namespace {
const int kSetPage = 2;

// Runs Add or Rename with `name` and times the page's work after OK.
double TimeNameAction(SheetSession& sheet, HWND page, int button, const std::string& name)
{
    PostClick(page, button);
    HWND dialog = sheet.WaitForPopup();
    if (!dialog)
        return -1;
    SetEditText(dialog, IDC_SET_NEW_NAME, name);
    return ksbench::TimeMs([&] {
        Answer(dialog, IDOK);
        WaitGone(dialog);
        sheet.Sync();
    });
}

void MeasureSetPage(std::vector<ksbench::Row>& rows)
{
    ModuleFixture dirs(ksbench::GenerateKeySymFile(20000, 1000));
    dirs.Load();
    SheetSession sheet(dirs.module);
    WaitFor([&] { return ::IsWindowVisible(sheet.sheet) != FALSE; });
    sheet.Sync();
    HWND page = nullptr;
    const double show = ksbench::TimeMs([&] {
        page = sheet.Page(kSetPage);
        sheet.Sync();
    });
    HWND list = ::GetDlgItem(page, IDC_ST_SETS);
    std::vector<double> add, rename, remove;
    for (int i = 0; i < 5; ++i) {
        // Sorting first moves every keysym's set; the rename goes from the front to the
        // back and the delete takes the front set, both the widest moves there are.
        add.push_back(TimeNameAction(sheet, page, IDC_ST_ADD, "_first" + std::to_string(i)));
        SelectListRow(page, IDC_ST_SETS, 0);
        // Appended, not "text" + to_string: 32-bit GCC 12 warns falsely (-Wrestrict) on that.
        std::string renamed = "zz renamed ";
        renamed += std::to_string(i);
        rename.push_back(TimeNameAction(sheet, page, IDC_ST_RENAME, renamed));
        SelectListRow(page, IDC_ST_SETS, 0);
        PostClick(page, IDC_ST_DELETE);
        HWND box = sheet.WaitForPopup();
        remove.push_back(ksbench::TimeMs([&] {
            Answer(box, IDYES);
            WaitGone(box);
            sheet.Sync();
        }));
    }
    const std::vector<std::string> names = ListRows(list);
    if (names.size() != 1000 || names.front() != "set0005" || names.back() != "zz renamed 4")
        std::fprintf(stderr, "set page: the list ended with %zu rows, %s first\n", names.size(),
                     names.empty() ? "none" : names.front().c_str());
    rows.push_back({"set page at 1,000 sets: first shown (from the keysym page)", show, 100});
    rows.push_back({"set page at 20,000 keysyms in 1,000 sets: add at the front (after OK)", ksbench::Median(add), 100});
    rows.push_back({"set page at 20,000 keysyms in 1,000 sets: rename front to back (after OK)",
                    ksbench::Median(rename), 100});
    rows.push_back({"set page at 20,000 keysyms in 1,000 sets: delete the front set (after Yes)",
                    ksbench::Median(remove), 100});
}

const ksbench::Registrar setPage("set page", MeasureSetPage);
}
