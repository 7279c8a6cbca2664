// Loading and saving the keysym file at 20,000 and 100,000 keysyms, beside a
// plain read and write of the same bytes and the platform's section reader,
// all in one run so that the figures can be compared.
#include "store/KeySymStore.h"

#include <windows.h>

#include "BenchClock.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using ksbench::Median;
using ksbench::Now;
using ksbench::Time;

std::string ReadAll(const std::string& path)
{
    std::string bytes;
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return bytes;
    LARGE_INTEGER size;
    GetFileSizeEx(h, &size);
    bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD got = 0;
    ReadFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
    CloseHandle(h);
    return bytes;
}

void WriteAll(const std::string& path, const std::string& bytes)
{
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    FlushFileBuffers(h);
    CloseHandle(h);
}

// Moves the file's times an hour back, so that it counts as old.
void Age(const std::string& path)
{
    HANDLE h = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER t{{now.dwLowDateTime, now.dwHighDateTime}};
    t.QuadPart -= 3600ULL * 10000000ULL;
    const FILETIME then{t.LowPart, t.HighPart};
    SetFileTime(h, &then, &then, &then);
    CloseHandle(h);
}

void Touch(const std::string& path)
{
    HANDLE h = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    SetFileTime(h, &now, &now, &now);
    CloseHandle(h);
}

// The platform's reader, section by section, as a load through it would go.
// Stops after `budgetMs` and returns the time for all sections projected
// from those read; `estimated` tells whether it had to.
double PlatformRead(const std::string& path, const std::vector<std::string>& sets, double budgetMs, bool& estimated)
{
    static std::vector<char> buffer(8 << 20);
    const double start = Now();
    GetPrivateProfileSectionA("main", buffer.data(), static_cast<DWORD>(buffer.size()), path.c_str());
    size_t done = 0;
    for (const std::string& set : sets) {
        GetPrivateProfileSectionA(set.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()), path.c_str());
        ++done;
        if (Now() - start > budgetMs) break;
    }
    const double elapsed = Now() - start;
    estimated = done < sets.size();
    return elapsed * static_cast<double>(sets.size() + 1) / static_cast<double>(done + 1);
}

struct Figures {
    int keysyms = 0;
    int sets = 0;
    size_t bytes = 0;
    double plainRead = 0, loadFresh = 0, loadOld = 0;
    double platformFresh = 0, platformOld = 0, platformWaited = -1;
    bool platformFreshEstimated = false;
    double plainWrite = 0, save = 0;
};

Figures Measure(const std::string& folder, int keysyms, int sets, bool alsoWait)
{
    Figures f;
    f.keysyms = keysyms;
    f.sets = sets;

    CKeySymStore store;
    store.m_strUserDir = folder;
    store.m_strKeySymFile = folder + "\\keysyms.kbs";
    char name[64];
    for (int s = 0; s < sets; ++s) {
        wsprintfA(name, "Set %04d", s);
        store.m_setNames.push_back(name);
    }
    for (int k = 0; k < keysyms; ++k) {
        wsprintfA(name, "keysym_%06d", (k * 7919) % keysyms);
        char value[16];
        wsprintfA(value, "%x", 0x1000000 + k);
        store.m_keySyms[name] = std::make_unique<CKeySymEntry>(value, k % sets);
    }
    const int runs = keysyms > 50000 ? 5 : 9;
    const std::string& path = store.m_strKeySymFile;
    const std::string plainPath = folder + "\\plain.kbs";

    f.save = Time(runs, [&] { store.SaveKeySymFile(); });
    const std::string bytes = ReadAll(path);
    f.bytes = bytes.size();
    f.plainWrite = Time(runs, [&] { WriteAll(plainPath, bytes); });
    f.plainRead = Time(runs, [&] { ReadAll(plainPath); });

    // Freeing the previous store is not part of a load.
    std::unique_ptr<CKeySymStore> loaded;
    auto load = [&] { loaded->LoadKeySymFile(path); };
    f.loadFresh = Time(runs, load, [&] {
        loaded = std::make_unique<CKeySymStore>();
        store.SaveKeySymFile();
    });
    f.loadOld = Time(runs, load, [&] {
        loaded = std::make_unique<CKeySymStore>();
        Age(path);
    });

    // The platform caches a file only once it is more than about two seconds old.
    store.SaveKeySymFile();
    f.platformFresh = PlatformRead(path, store.m_setNames, 1500, f.platformFreshEstimated);
    bool estimated = false;
    Age(path);
    PlatformRead(path, store.m_setNames, 1e9, estimated);   // first read after ageing fills the cache
    f.platformOld = Time(3, [&] { PlatformRead(path, store.m_setNames, 1e9, estimated); });
    if (alsoWait) {
        // Ageing by the clock, to check that setting the times back is the same thing.
        Touch(path);
        store.SaveKeySymFile();
        Sleep(2600);
        PlatformRead(path, store.m_setNames, 1e9, estimated);
        f.platformWaited = Time(3, [&] { PlatformRead(path, store.m_setNames, 1e9, estimated); });
        f.loadOld = std::max(f.loadOld, Time(runs, load, [&] { loaded = std::make_unique<CKeySymStore>(); }));
    }
    return f;
}

void RemoveFolder(const std::string& folder)
{
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileA((folder + "\\" + found.cFileName).c_str());
        } while (FindNextFileA(h, &found));
        FindClose(h);
    }
    RemoveDirectoryA(folder.c_str());
}

}  // namespace

int main()
{
    char base[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    char folder[MAX_PATH];
    wsprintfA(folder, "%skbbench-%lu", base, GetCurrentProcessId());
    CreateDirectoryA(folder, nullptr);

    const Figures small = Measure(folder, 20000, 100, true);
    const Figures large = Measure(folder, 100000, 1000, false);
    RemoveFolder(folder);

    std::printf("%-44s %14s %14s\n", "", "20,000 / 100", "100,000 / 1,000");
    auto row = [&](const char* what, double a, double b, const char* unit) {
        std::printf("%-44s %11.1f %-2s %11.1f %-2s\n", what, a, unit, b, unit);
    };
    std::printf("%-44s %11zu KB %11zu KB\n", "keysym file", small.bytes / 1024, large.bytes / 1024);
    row("plain read of the file", small.plainRead, large.plainRead, "ms");
    row("LoadKeySymFile, file just written", small.loadFresh, large.loadFresh, "ms");
    row("LoadKeySymFile, file older than 2.1 s", small.loadOld, large.loadOld, "ms");
    row("platform reader per section, just written", small.platformFresh, large.platformFresh, "ms");
    if (small.platformFreshEstimated || large.platformFreshEstimated)
        std::printf("%-44s %14s %14s\n", "  (projected from the sections read in 1.5 s)",
                    small.platformFreshEstimated ? "yes" : "no", large.platformFreshEstimated ? "yes" : "no");
    row("platform reader per section, times set back", small.platformOld, large.platformOld, "ms");
    std::printf("%-44s %11.1f ms %14s\n", "platform reader per section, 2.6 s waited", small.platformWaited, "-");
    row("plain write of the same bytes", small.plainWrite, large.plainWrite, "ms");
    row("SaveKeySymFile (median)", small.save, large.save, "ms");
    row("load (fresh) / plain read", small.loadFresh / small.plainRead, large.loadFresh / large.plainRead, "x");
    row("save / plain write", small.save / small.plainWrite, large.save / large.plainWrite, "x");
    row("platform (fresh) / load (fresh)", small.platformFresh / small.loadFresh,
        large.platformFresh / large.loadFresh, "x");
    row("platform (old) / load (old)", small.platformOld / small.loadOld, large.platformOld / large.loadOld, "x");
    return 0;
}
