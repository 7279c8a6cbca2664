// Real files for the store tests: a private folder under the system's
// temporary folder, removed with everything in it at the end.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class CKeySymStore;

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return m_path; }
    std::string File(const std::string& name) const { return m_path + "\\" + name; }
    // A fresh file name in the folder, for files the platform caches by name.
    std::string NewFile(const char* stem);
    // Names of the files in the folder matching `pattern` ("Kbs*.tmp").
    std::vector<std::string> Files(const char* pattern) const;

private:
    std::string m_path;
    int m_counter = 0;
};

#include "TestFiles.h"

void WriteBytes(const std::string& path, const std::string& bytes);
using kstest::FileExists;
using kstest::RemoveTree;
inline std::string ReadBytes(const std::string& path) { return kstest::ReadFileBytes(path); }

// The ANSI code page has double-byte characters (932 under LANG=ja_JP.UTF-8).
inline bool DoubleByteCodePage()
{
    CPINFO info{};
    return GetCPInfo(CP_ACP, &info) && info.MaxCharSize == 2;
}

// Sets and keysyms as text, to compare two stores with one message.
std::string Describe(const CKeySymStore& store);
