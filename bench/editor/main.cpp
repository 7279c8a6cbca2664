#include "BenchEditor.h"
#include <algorithm>
#include <chrono>
#include <cstdio>

namespace ksbench {
namespace {
std::vector<std::pair<std::string, Benchmark>>& Registry()
{
    static std::vector<std::pair<std::string, Benchmark>> benchmarks;
    return benchmarks;
}
}

Registrar::Registrar(const char* name, Benchmark benchmark) { Registry().emplace_back(name, std::move(benchmark)); }

std::string GenerateKeySymFile(int keySyms, int sets)
{
    std::string file = "[main]\r\n";
    char line[64];
    for (int s = 0; s < sets; ++s) {
        snprintf(line, sizeof line, "set%04d=1\r\n", s);
        file += line;
    }
    for (int s = 0; s < sets; ++s) {
        snprintf(line, sizeof line, "[set%04d]\r\n", s);
        file += line;
        for (int k = s; k < keySyms; k += sets) {
            snprintf(line, sizeof line, "ks%06d=%x\r\n", k, 0x1000000 + k);
            file += line;
        }
    }
    return file;
}

double TimeMs(const std::function<void()>& action)
{
    const auto start = std::chrono::steady_clock::now();
    action();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}
}  // namespace ksbench

int main()
{
    std::vector<ksbench::Row> rows;
    // KS_BENCH_ONLY=name runs one of them.
    char only[64] = {};
    ::GetEnvironmentVariableA("KS_BENCH_ONLY", only, sizeof only);
    for (auto& [name, benchmark] : ksbench::Registry()) {
        if (only[0] && name != only)
            continue;
        std::fprintf(stderr, "running %s...\n", name.c_str());
        benchmark(rows);
    }
    std::printf("%-60s %10s %10s\n", "measurement", "ms", "target");
    for (const auto& row : rows) {
        if (row.targetMs > 0)
            std::printf("%-60s %10.1f %8s%.0f%s\n", row.what.c_str(), row.ms, "<= ", row.targetMs,
                        row.ms <= row.targetMs ? "" : "  MISSED");
        else
            std::printf("%-60s %10.1f\n", row.what.c_str(), row.ms);
    }
    return 0;
}
