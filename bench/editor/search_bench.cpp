// Find over a large store: each press, from the click to the hit's set painted in the list.
#include "BenchEditor.h"
#include "resources/resource.h"
#include <cstdio>

namespace {
using namespace kstest;

// One press of Find on the search page, the list repainted before the clock stops.
double TimePress(HWND page)
{
    return ksbench::TimeMs([page] {
        ClickButton(page, IDC_SCH_FIND);
        ::UpdateWindow(::GetDlgItem(page, IDC_SCH_KEYSYMS));
    });
}

void MeasureFind(std::vector<ksbench::Row>& rows, int keySyms, int sets)
{
    ModuleFixture module(ksbench::GenerateKeySymFile(keySyms, sets));
    if (!module.Load())
        return;
    SheetSession sheet(module.module);
    HWND page = sheet.Page(1);
    const std::string where = std::to_string(keySyms) + " keysyms in " + std::to_string(sets) + " sets";
    const double target = 50;

    // The only hit is the last keysym of the store: the whole store is tested first.
    char last[32];
    snprintf(last, sizeof last, "KS%06d", keySyms - 1);   // upper case: folded on every test
    SetEditText(page, IDC_SCH_FIND_TEXT, last);
    rows.push_back({"find: new search, hit at the end (" + where + ")", TimePress(page), target});

    // A run of hits, each in another set (or the same one when there is one set).
    SetEditText(page, IDC_SCH_FIND_TEXT, "KS01");
    std::vector<double> presses;
    for (int i = 0; i < 40; ++i)
        presses.push_back(TimePress(page));
    double worst = 0;
    for (double ms : presses)
        worst = ms > worst ? ms : worst;
    rows.push_back({"find: continued press, median of 40 (" + where + ")", ksbench::Median(presses), target});
    rows.push_back({"find: continued press, slowest of 40 (" + where + ")", worst, target});
}

const ksbench::Registrar kSearchBench("search page", [](std::vector<ksbench::Row>& rows) {
    MeasureFind(rows, 20000, 100);
    MeasureFind(rows, 20000, 2);
    MeasureFind(rows, 20000, 1);
});
}  // namespace
