// The writers' lock of a keysym file: "<keysym file>.lock" beside it, opened unshared and
// deleted when closed. Every program that writes the keysym file (the editor, keysymtool,
// the editor of another host) holds it from the "changed by another program" check to the
// end of the replace, so that no two checks and replaces interleave. The system closes the
// lock when its holder dies, so a crash never leaves it stuck. The keysym file itself cannot
// be the lock: the replace fails while any handle holds it.
#pragma once

#include <windows.h>

#include <string>

class KeySymFileLock {
public:
    // Waits up to `waitMs` for another writer to let go.
    explicit KeySymFileLock(const std::string& keySymFile, DWORD waitMs = 10000);
    ~KeySymFileLock();
    KeySymFileLock(const KeySymFileLock&) = delete;
    KeySymFileLock& operator=(const KeySymFileLock&) = delete;

    bool Held() const { return m_handle != INVALID_HANDLE_VALUE; }

private:
    HANDLE m_handle = INVALID_HANDLE_VALUE;
};
