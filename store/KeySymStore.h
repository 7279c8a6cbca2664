// The keysym store: the set list, the keysym map, the change flags and the
// selection the pages share; and the keysym file it is read from and saved to.
#pragma once

#include "store/WholeFile.h"

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

class ProfileSections;

// One keysym; its name is its key in m_keySyms.
struct CKeySymEntry {
    CKeySymEntry(std::string value, int set);
    std::string m_strValue;
    int m_nSet;
};

using KeySymMap = std::map<std::string, std::unique_ptr<CKeySymEntry>>;   // ordered by name (byte order)

// Set-name order: case-insensitive multibyte compare; <0, 0, >0.
int CompareSetNames(const std::string& a, const std::string& b);

// The save's file operations: the whole-file writer's own seam.
using KeySymFileOps = WholeFileOps;

// The keysym file as the store last read or wrote it: whether it was there, and which file
// it was (a replaced file is another file), of what size, written when.
struct KeySymFileStamp {
    bool exists = false;
    DWORD volume = 0;
    ULONGLONG fileIndex = 0;
    ULONGLONG size = 0;
    ULONGLONG lastWrite = 0;
    bool operator==(const KeySymFileStamp&) const = default;
};

// The stamp of the file at `path` as it is now.
KeySymFileStamp ReadKeySymFileStamp(const std::string& path);

// The section that lists the sets.
inline constexpr char kSetListSection[] = "main";

class CKeySymStore {
public:
    std::string m_strKeySymFile;
    BOOL m_bModified = FALSE;
    BOOL m_bChanged = FALSE;
    int  m_nCurSet = 0;
    int  m_nCurKeySym = 0;
    std::string m_strUserDir;
    std::string m_strInstallDir;
    std::string m_strHelpFile;
    std::vector<std::string> m_setNames;
    KeySymMap m_keySyms;

    // The keysym file was there at loading but could not be read: saving would lose it.
    bool m_bFileUnread = false;
    // The keysym file as it was when last read or written.
    KeySymFileStamp m_fileStamp;

    // Where a save does its file work; null means the real file system.
    KeySymFileOps* m_pFileOps = nullptr;

    // Sorts m_setNames ascending by CompareSetNames; equal names keep their order.
    void SortSetNames();

    // Fills the (empty) store from the keysym file at `path`; a missing or
    // unreadable file leaves it empty. Running out of memory throws
    // std::bad_alloc and may leave the store partly filled.
    void LoadKeySymFile(const std::string& path);

    // Whether the keysym file is no longer what the store last read or wrote: another
    // program changed, replaced, made or removed it, or it could not be read at loading.
    // Callers ask the user before a save then replaces it.
    bool KeySymFileChangedOnDisk() const;

    // Writes the whole store to m_strKeySymFile through a temporary file in
    // m_strUserDir that then replaces it in one step. FALSE on any failure,
    // with the keysym file as it was and no temporary file left. Never throws.
    // On success the written file is the one the store knows.
    BOOL SaveKeySymFile();

    // The set list of section "main", appended to m_setNames in file order.
    void ReadSetList(const ProfileSections& file);
    // The keysyms of section `setName`, each filed under set position `setIndex`.
    void ReadSetSection(const ProfileSections& file, const std::string& setName, int setIndex);

    // The keysym file's bytes: the set list, then each set's section.
    std::string FormatKeySymFile() const;
    void WriteSetList(std::string& out) const;
    // One section: its header and the given keysyms (those whose set has this name).
    void WriteSetSection(std::string& out, const std::string& setName,
                         const std::vector<const KeySymMap::value_type*>& keySyms) const;

    // The name of set `set`; empty when there is no such set.
    const std::string& SetName(int set) const;
    bool HasSet(int set) const { return set >= 0 && static_cast<size_t>(set) < m_setNames.size(); }

};
