// The clock of the store and X11 benchmarks: milliseconds from the performance counter, and
// the median time of repeated runs.
#pragma once

#include <windows.h>

#include <algorithm>
#include <functional>
#include <vector>

namespace ksbench {

inline double Now()
{
    static const LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return 1000.0 * static_cast<double>(t.QuadPart) / static_cast<double>(frequency.QuadPart);
}

inline double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Median time in milliseconds of `runs` calls of `work`, each after `prepare` (not timed).
inline double Time(int runs, const std::function<void()>& work, const std::function<void()>& prepare = [] {})
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        prepare();
        const double start = Now();
        work();
        times.push_back(Now() - start);
    }
    return Median(times);
}

}  // namespace ksbench
