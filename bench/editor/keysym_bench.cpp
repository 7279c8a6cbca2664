// Opening the editor and the keysym page's actions on large stores.
#include "BenchEditor.h"
#include "resources/resource.h"
#include <cstdio>
#include <memory>

using namespace kstest;

namespace {
void MeasureOpeningOn(std::vector<ksbench::Row>& rows, int keySyms, int runs)
{
    ModuleFixture dirs(ksbench::GenerateKeySymFile(keySyms, 1));
    dirs.Load();
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        std::unique_ptr<SheetSession> sheet;
        times.push_back(ksbench::TimeMs([&] {
            sheet = std::make_unique<SheetSession>(dirs.module);
            WaitFor([&] { return ::IsWindowVisible(sheet->sheet) != FALSE; }, 60000);
            sheet->Sync();
        }));
        // The count, not the rows: reading 100,000 rows from another thread takes minutes.
        if (::SendMessageA(sheet->Control(0, IDC_KS_KEYSYMS), LB_GETCOUNT, 0, 0) != keySyms)
            std::fprintf(stderr, "opening: the list does not hold the set\n");
    }
    char what[96];
    std::snprintf(what, sizeof what, "EditKeySyms until the sheet shows a set of %d keysyms", keySyms);
    rows.push_back({what, ksbench::Median(times), keySyms <= 5000 ? 500.0 : keySyms >= 100000 ? 1000.0 : 0.0});
}

void MeasureOpening(std::vector<ksbench::Row>& rows)
{
    MeasureOpeningOn(rows, 5000, 5);
    MeasureOpeningOn(rows, 20000, 3);
    MeasureOpeningOn(rows, 100000, 3);
}

// Opens the keysym dialog with `button`, fills it, and times the page's work after OK.
double TimeDialogAction(SheetSession& sheet, HWND page, int button, const std::string& name, const std::string& value)
{
    PostClick(page, button);
    HWND dialog = sheet.WaitForPopup();
    if (!dialog)
        return -1;
    SetEditText(dialog, IDC_SYM_NAME, name);
    SetEditText(dialog, IDC_SYM_VALUE, value);
    return ksbench::TimeMs([&] {
        Answer(dialog, IDOK);
        WaitGone(dialog);
        sheet.Sync();
    });
}

void MeasurePageActions(std::vector<ksbench::Row>& rows)
{
    ModuleFixture dirs(ksbench::GenerateKeySymFile(20000, 10));
    dirs.Load();
    SheetSession sheet(dirs.module);
    HWND page = sheet.Page(0);
    std::vector<double> choose, add, edit, remove, apply;
    for (int i = 0; i < 5; ++i) {
        choose.push_back(ksbench::TimeMs([&] { SelectComboRow(page, IDC_KS_SETS, (i + 1) % 10); }));
        add.push_back(TimeDialogAction(sheet, page, IDC_KS_ADD, "bench" + std::to_string(i), "abc"));
        SelectListRow(page, IDC_KS_KEYSYMS, 3);
        edit.push_back(TimeDialogAction(sheet, page, IDC_KS_EDIT, "edited" + std::to_string(i), "def"));
        SelectListRow(page, IDC_KS_KEYSYMS, 5);
        PostClick(page, IDC_KS_DELETE);
        HWND box = sheet.WaitForPopup();
        remove.push_back(ksbench::TimeMs([&] {
            Answer(box, IDYES);
            WaitGone(box);
            sheet.Sync();
        }));
        apply.push_back(ksbench::TimeMs([&] {
            sheet.PressButton(PSBTN_APPLYNOW);
            sheet.Sync();
        }));
    }
    const size_t listed = ListRows(::GetDlgItem(page, IDC_KS_KEYSYMS)).size();
    if (listed < 1900)
        std::fprintf(stderr, "page actions: only %zu rows listed\n", listed);
    rows.push_back({"keysym page at 20,000 keysyms (2,000 a set): choose a set", ksbench::Median(choose), 100});
    rows.push_back({"keysym page at 20,000 keysyms: add (after OK)", ksbench::Median(add), 100});
    rows.push_back({"keysym page at 20,000 keysyms: edit (after OK)", ksbench::Median(edit), 100});
    rows.push_back({"keysym page at 20,000 keysyms: delete (after Yes)", ksbench::Median(remove), 100});
    rows.push_back({"keysym page at 20,000 keysyms: apply (save)", ksbench::Median(apply), 100});
}

const ksbench::Registrar opening("opening", MeasureOpening);
const ksbench::Registrar pageActions("keysym page", MeasurePageActions);
}
