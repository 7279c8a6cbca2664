#include "StoreTestFiles.h"

#include "TestFiles.h"
#include "store/KeySymStore.h"

#include <gtest/gtest.h>

TempFolder::TempFolder() : m_path(kstest::MakeTempDir("store")) {}

TempFolder::~TempFolder()
{
    RemoveTree(m_path);
}

std::string TempFolder::NewFile(const char* stem)
{
    return File(std::string(stem) + "-" + std::to_string(++m_counter) + ".ini");
}

std::vector<std::string> TempFolder::Files(const char* pattern) const
{
    return kstest::ListFiles(m_path, pattern);
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << path;
    DWORD written = 0;
    const BOOL ok = WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(h);
    ASSERT_TRUE(ok && written == bytes.size()) << path;
}

std::string Describe(const CKeySymStore& store)
{
    std::string out;
    for (const std::string& name : store.m_setNames) out += "set " + name + "\n";
    for (const auto& [name, entry] : store.m_keySyms)
        out += name + " = " + entry->m_strValue + " in " + std::to_string(entry->m_nSet) + "\n";
    return out;
}
