#pragma once
// Reading a whole file, and writing one so that a failure never loses the one it replaces:
// the bytes go to a temporary file in the same folder, which then replaces the target in
// one step.
#include <windows.h>

#include <string>

// The file operations of a replacing write, replaceable so that tests can make any one of
// them fail.
class WholeFileOps {
public:
    virtual ~WholeFileOps() = default;
    virtual UINT TempFileName(const char* dir, const char* prefix, char* path);   // MAX_PATH buffer
    virtual HANDLE Open(const char* path, DWORD access, DWORD share, DWORD disposition);
    virtual BOOL Size(HANDLE file, LARGE_INTEGER* size);
    virtual BOOL Write(HANDLE file, const void* data, DWORD size, DWORD* written);
    virtual BOOL Flush(HANDLE file);
    virtual BOOL Close(HANDLE file);
    virtual BOOL Replace(const char* from, const char* to);
    virtual BOOL Remove(const char* path);
};

// Writes `bytes` to a new temporary file ("Kbs*.tmp") in `folder`, flushes and closes it,
// then moves it over `target`. FALSE on any failure, with `target` as it was and the
// temporary file removed.
BOOL WriteFileReplacing(const std::string& folder, const std::string& target, const std::string& bytes,
                        WholeFileOps& ops);

enum class WholeFileRead {
    Done,
    Missing,    // no such file or folder
    TooLarge,   // larger than allowed: nothing read
    Failed,     // there, but it could not be opened or read whole; `bytes` holds what was read
};

// Reads the file at `path` into `bytes`, if it holds at most `maxBytes`. Running out of
// memory throws std::bad_alloc.
WholeFileRead ReadWholeFile(const std::string& path, std::string& bytes, unsigned long long maxBytes);

// A file of any size the caller takes whole (an import file): false, with `bytes` empty,
// when it cannot be opened, read or held in memory. Never throws.
bool ReadFileOrNothing(const std::string& path, std::string& bytes);

// `bytes` to `path` through WriteFileReplacing in the folder that holds `path`. False on any
// failure, with any file at `path` as it was. Never throws. `ops` null: the real file system.
bool WriteFileBeside(const std::string& path, const std::string& bytes, WholeFileOps* ops = nullptr);
