#include "store/WholeFile.h"

#include <mbctype.h>

#include <algorithm>
#include <new>

namespace {
const char kTempPrefix[] = "Kbs";
const DWORD kWriteChunk = 64 * 1024;
}

UINT WholeFileOps::TempFileName(const char* dir, const char* prefix, char* path)
{
    return ::GetTempFileNameA(dir, prefix, 0, path);
}

HANDLE WholeFileOps::Open(const char* path, DWORD access, DWORD share, DWORD disposition)
{
    return ::CreateFileA(path, access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

BOOL WholeFileOps::Size(HANDLE file, LARGE_INTEGER* size)
{
    return ::GetFileSizeEx(file, size);
}

BOOL WholeFileOps::Write(HANDLE file, const void* data, DWORD size, DWORD* written)
{
    return ::WriteFile(file, data, size, written, nullptr);
}

BOOL WholeFileOps::Flush(HANDLE file)
{
    return ::FlushFileBuffers(file);
}

BOOL WholeFileOps::Close(HANDLE file)
{
    return ::CloseHandle(file);
}

BOOL WholeFileOps::Replace(const char* from, const char* to)
{
    return ::MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

BOOL WholeFileOps::Remove(const char* path)
{
    return ::DeleteFileA(path);
}

BOOL WriteFileReplacing(const std::string& folder, const std::string& target, const std::string& bytes,
                        WholeFileOps& ops)
{
    char temp[MAX_PATH] = {};
    if (folder.empty() || target.empty()) return FALSE;
    if (!ops.TempFileName(folder.c_str(), kTempPrefix, temp)) return FALSE;
    temp[MAX_PATH - 1] = '\0';

    // The name can be handed out without the file having been made (the
    // folder is gone, say). A file that is there was made for us just now,
    // unless it already holds something.
    HANDLE file = ops.Open(temp, GENERIC_WRITE, 0, OPEN_EXISTING);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND) ops.Remove(temp);
        return FALSE;
    }
    LARGE_INTEGER size{};
    bool ok = ops.Size(file, &size);
    if (ok && size.QuadPart != 0) {
        ops.Close(file);
        return FALSE;
    }

    for (size_t done = 0; ok && done < bytes.size();) {
        const DWORD want = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, kWriteChunk));
        DWORD written = 0;
        ok = ops.Write(file, bytes.data() + done, want, &written) && written > 0 && written <= want;
        done += written;
    }
    ok = ok && ops.Flush(file);
    ok = ops.Close(file) && ok;
    if (ok && ops.Replace(temp, target.c_str())) return TRUE;

    ops.Remove(temp);
    return FALSE;
}

WholeFileRead ReadWholeFile(const std::string& path, std::string& bytes, unsigned long long maxBytes)
{
    bytes.clear();
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? WholeFileRead::Missing
                                                                              : WholeFileRead::Failed;
    }
    struct Closer {
        HANDLE file;
        ~Closer() { ::CloseHandle(file); }
    } closer{file};
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file, &size) || size.QuadPart < 0)
        return WholeFileRead::Failed;
    if (static_cast<unsigned long long>(size.QuadPart) > maxBytes)
        return WholeFileRead::TooLarge;
    bytes.resize(static_cast<size_t>(size.QuadPart));
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD got = 0;
        const DWORD want = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
        if (!::ReadFile(file, bytes.data() + done, want, &got, nullptr) || got == 0) break;
        done += got;
    }
    const bool whole = done == bytes.size();
    bytes.resize(done);
    return whole ? WholeFileRead::Done : WholeFileRead::Failed;
}

bool ReadFileOrNothing(const std::string& path, std::string& bytes)
{
    bool ok = false;
    try {
        ok = ReadWholeFile(path, bytes, bytes.max_size()) == WholeFileRead::Done;
    } catch (const std::bad_alloc&) {
        // Too large to hold: it cannot be read.
    }
    if (!ok) std::string().swap(bytes);
    return ok;
}

bool WriteFileBeside(const std::string& path, const std::string& bytes, WholeFileOps* ops)
{
    try {
        // The temporary file goes beside the target, so that replacing it is one rename.
        size_t separator = std::string::npos;
        for (size_t i = 0; i < path.size(); ++i) {
            if (_ismbblead(static_cast<unsigned char>(path[i])) && i + 1 < path.size()) ++i;
            else if (path[i] == '\\' || path[i] == '/' || path[i] == ':') separator = i;
        }
        const std::string folder = separator == std::string::npos ? std::string(".") : path.substr(0, separator + 1);
        WholeFileOps system;
        return WriteFileReplacing(folder, path, bytes, ops ? *ops : system) != FALSE;
    } catch (...) {
        return false;
    }
}
