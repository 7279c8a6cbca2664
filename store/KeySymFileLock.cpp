#include "store/KeySymFileLock.h"

KeySymFileLock::KeySymFileLock(const std::string& keySymFile, DWORD waitMs)
{
    const std::string path = keySymFile + ".lock";
    const DWORD start = ::GetTickCount();
    for (;;) {
        m_handle = ::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                 FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE,
                                 nullptr);
        if (m_handle != INVALID_HANDLE_VALUE) return;
        // Held by another writer, or being deleted as it lets go: try again shortly.
        const DWORD error = ::GetLastError();
        if (error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED && error != ERROR_LOCK_VIOLATION) return;
        if (::GetTickCount() - start >= waitMs) return;
        ::Sleep(5);
    }
}

KeySymFileLock::~KeySymFileLock()
{
    if (m_handle != INVALID_HANDLE_VALUE) ::CloseHandle(m_handle);
}
