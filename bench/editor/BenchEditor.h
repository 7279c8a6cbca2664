#pragma once
// The editor's benchmark: each file here registers measurements of the real sheet under
// Wine; main runs them all and prints one table. Not a test: figures vary from run to run.
#include "EditorDriver.h"
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace ksbench {

// A keysym file of `keySyms` keysyms spread evenly over `sets` sets (set names "set0000"...,
// keysym names "ks000000"...).
std::string GenerateKeySymFile(int keySyms, int sets);

// Milliseconds taken by `action`.
double TimeMs(const std::function<void()>& action);
double Median(std::vector<double> values);

struct Row {
    std::string what;
    double ms;
    double targetMs;   // 0: no target
};

using Benchmark = std::function<void(std::vector<Row>& rows)>;
struct Registrar {
    Registrar(const char* name, Benchmark benchmark);
};

}  // namespace ksbench
