// The keysym store: the set list, the keysym map, the change flags and the
// selection the pages share; and the keysym file it is read from and saved to.
#pragma once

#include "store/WholeFile.h"

#include <windows.h>

#include "store/KeySymFileSaving.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

class KeySymFileLines;

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

// The largest keysym file taken: one past it cannot be read whole and counts as unreadable.
constexpr unsigned long long kMaxKeySymFileBytes = 0x7FFFFFFFULL;

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
    // The keysym file as it was when last read or written (its bytes and lines), whether it
    // was there, and the sets renamed since, whose section headers follow them.
    std::shared_ptr<const KeySymFileLines> m_file;
    bool m_bFileExisted = false;
    std::vector<SetRename> m_setRenames;
    // It holds names this code page cannot spell: kept in the file as they are, not shown.
    bool m_bFileUnshown = false;
    // Why the last save was refused (KeySymSave::Refused).
    KeySymFileRefusal m_saveRefusal;

    // Where a save does its file work; null means the real file system.
    KeySymFileOps* m_pFileOps = nullptr;

    // Sorts m_setNames ascending by CompareSetNames; equal names keep their order.
    void SortSetNames();

    // Fills the (empty) store from the keysym file at `path`; a missing or
    // unreadable file leaves it empty. Running out of memory throws
    // std::bad_alloc and may leave the store partly filled.
    void LoadKeySymFile(const std::string& path);

    // Whether the keysym file no longer holds what the store last read or wrote: another
    // program changed, made or removed it, or it could not be read at loading.
    bool KeySymFileChangedOnDisk() const;

    // Writes the store to m_strKeySymFile: the lines of what changed, every other line as it
    // was, in the file's encoding; read back before it counts (refused, naming the name in
    // m_saveRefusal, unless it means exactly the store). Under the writers' lock: a file
    // marked read-only is left alone, and so is one another program changed, unless
    // `replaceChanged`; then a temporary file in m_strUserDir replaces it in one step. On any
    // failure the keysym file is as it was and no temporary file is left. Never throws.
    KeySymSave SaveKeySymFile(bool replaceChanged);
    // The same, replacing whatever the file holds now; TRUE when saved.
    BOOL SaveKeySymFile();

    // Where the writer put each line's "=" (or, for a header, its "]" with kHeader added), so that a reading of the bytes can be held against what was written there.
    // `whole` when every keysym went into a section and every mark fits.
    struct Layout {
        static constexpr unsigned kHeader = 0x80000000u;
        std::vector<unsigned> marks;
        bool whole = true;
        void Mark(size_t at, bool header)
        {
            if (at >= kHeader) whole = false;
            else if (whole) marks.push_back(static_cast<unsigned>(at) | (header ? kHeader : 0u));
        }
    };
    // The keysym file's bytes: the set list, then each set's section.
    std::string FormatKeySymFile(Layout* layout = nullptr) const;
    void WriteSetList(std::string& out, Layout* layout = nullptr) const;
    // One section: its header and the given keysyms (those whose set has this name).
    void WriteSetSection(std::string& out, const std::string& setName,
                         const std::vector<const KeySymMap::value_type*>& keySyms, Layout* layout = nullptr) const;

    // The name of set `set`; empty when there is no such set.
    const std::string& SetName(int set) const;
    bool HasSet(int set) const { return set >= 0 && static_cast<size_t>(set) < m_setNames.size(); }

};
