// A keysym file as the platform's own profile reader reads it, in the store's terms: the
// sets, sorted as the store sorts them, then each keysym with its value and set position.
#pragma once

#include "store/KeySymStore.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace kstest {

inline std::string PlatformKeySyms(const std::string& path)
{
    std::vector<char> buffer(1 << 20);
    auto section = [&](const std::string& name) {
        std::vector<std::pair<std::string, std::string>> lines;
        ::GetPrivateProfileSectionA(name.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()), path.c_str());
        for (const char* p = buffer.data(); *p; p += strlen(p) + 1)
            if (const char* eq = strchr(p, '=')) lines.emplace_back(std::string(p, eq), std::string(eq + 1));
        return lines;
    };
    std::vector<std::string> sets;
    for (const auto& line : section("main")) sets.push_back(line.first);
    std::stable_sort(sets.begin(), sets.end(),
                     [](const std::string& a, const std::string& b) { return CompareSetNames(a, b) < 0; });
    std::map<std::string, std::string> keySyms;
    for (size_t i = 0; i < sets.size(); ++i)
        for (const auto& [name, value] : section(sets[i])) keySyms[name] = value + " in " + std::to_string(i);
    std::string out;
    for (const std::string& name : sets) out += "set " + name + "\n";
    for (const auto& [name, what] : keySyms) out += name + " = " + what + "\n";
    return out;
}

}  // namespace kstest
