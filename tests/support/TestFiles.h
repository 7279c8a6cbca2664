#pragma once
// Real files for the tests: private folders under the system's temporary folder, and
// whole files read and written as bytes.
#include <string>
#include <vector>

namespace kstest {

std::string BinDir();                                   // folder of the test program
std::string MakeTempDir(const std::string& tag);
void RemoveTree(const std::string& dir);
std::string ReadFileBytes(const std::string& path);     // empty when missing
void WriteFileBytes(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);
// Names of the files (not folders) in `dir` matching `pattern` ("Kbs*.tmp").
std::vector<std::string> ListFiles(const std::string& dir, const std::string& pattern);

}  // namespace kstest
