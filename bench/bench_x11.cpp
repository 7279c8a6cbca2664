// Import of 20,000 keysym lines into a store that already holds 20,000 keysyms, from an
// XKeysymDB file and from a header, with reading the file and the export beside it; and
// the keysym dialog's hint for one keystroke.
#include "x11/KeySymHints.h"
#include "store/WholeFile.h"
#include "x11/KeySymImport.h"

#include <windows.h>

#include "BenchClock.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using ksbench::Now;
using ksbench::Time;

const int kLines = 20000;

// 20,000 keysyms in 1,000 sets, and one empty set "Import" to import into.
void FillStore(CKeySymStore& store)
{
    store = CKeySymStore();
    for (int s = 0; s < 1000; ++s) store.m_setNames.push_back("set" + std::to_string(s));
    store.m_setNames.push_back("Import");
    store.SortSetNames();
    for (int i = 0; i < kLines; ++i)
        store.m_keySyms.emplace("have" + std::to_string(i), std::make_unique<CKeySymEntry>("1008FF00", i % 1000));
}

int ImportSet(const CKeySymStore& store)
{
    return static_cast<int>(std::find(store.m_setNames.begin(), store.m_setNames.end(), "Import") - store.m_setNames.begin());
}

}  // namespace

int main()
{
    std::string database = "! 20,000 keysyms\r\n", header = "#ifndef _VENDOR_H\n#define _VENDOR_H\n";
    char line[128];
    for (int i = 0; i < kLines; ++i) {
        std::snprintf(line, sizeof line, "vendorKey_%05d\t:%08X\r\n", (i * 7919) % kLines, 0x10080000 + i);
        database += line;
        std::snprintf(line, sizeof line, "#define vXK_Key_%05d\t0x%08X\t/* key %d */\n", (i * 7919) % kLines,
                      0x10080000 + i, i);
        header += line;
    }
    header += "#endif\n";

    CKeySymStore store;
    size_t imported = 0;
    const double databaseMs = Time(9, [&] { imported = ImportKeySyms(store, ImportSet(store), database).imported; },
                                   [&] { FillStore(store); });
    std::printf("import %d XKeysymDB lines beside %d keysyms: %8.2f ms (%zu imported)\n", kLines, kLines, databaseMs, imported);
    const double headerMs = Time(9, [&] { imported = ImportKeySyms(store, ImportSet(store), header).imported; },
                                 [&] { FillStore(store); });
    std::printf("import %d header lines beside %d keysyms:    %8.2f ms (%zu imported)\n", kLines, kLines, headerMs, imported);

    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    const std::string path = std::string(folder) + "bench_x11.db";
    std::string bytes;
    std::printf("export the imported set (%zu lines):         %8.2f ms\n", imported,
                Time(9, [&] { WriteFileBeside(path, FormatKeySymExport(store, ImportSet(store), ExportFormat::XKeysymDb).text); }));
    std::printf("read the exported file:                       %8.2f ms\n",
                Time(9, [&] { ReadFileOrNothing(path, bytes); }));
    DeleteFileA(path.c_str());

    // One keystroke: the hints for the name and value as they stand, formatted.
    const char* values[] = {"7e1", "41", "101F600", "20000000", "ff55", "1008FF12", "12345678", "e9"};
    const char* names[] = {"Greek_alpha", "a", "my key", "XF86AudioMute", "nothing_here", "Prior"};
    const int rounds = 100000;
    size_t lines = 0;
    const double hintMs = Time(5, [&] {
        for (int i = 0; i < rounds; ++i)
            for (const KeySymHint& hint : KeySymHints(names[i % std::size(names)], values[i % std::size(values)]))
                lines += FormatKeySymHint(L"Text %1 %2", hint).size();
    });
    std::printf("hint for one keystroke:                       %8.4f ms (%zu characters)\n", hintMs / rounds, lines);
    return 0;
}
