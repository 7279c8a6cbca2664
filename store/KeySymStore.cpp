#include "store/KeySymStore.h"

#include "store/KeySymFileLines.h"
#include "store/KeySymFileLock.h"
#include "store/WholeFile.h"
#include "store/ProfileSections.h"

#include <mbstring.h>

#include <algorithm>
#include <new>
#include <unordered_map>

namespace {

// The keysym file's bytes, if it can be taken whole; a file too large to hold in memory
// cannot be read.
WholeFileRead ReadKeySymFileBytes(const std::string& path, std::string& bytes)
{
    try {
        return ReadWholeFile(path, bytes, kMaxKeySymFileBytes);
    } catch (const std::bad_alloc&) {
        return WholeFileRead::Failed;
    }
}

struct SetNameLess {
    bool operator()(const std::string& a, const std::string& b) const { return CompareSetNames(a, b) < 0; }
};

}  // namespace

CKeySymEntry::CKeySymEntry(std::string value, int set)
    : m_strValue(std::move(value)), m_nSet(set)
{
}

int CompareSetNames(const std::string& a, const std::string& b)
{
    return _mbsicmp(reinterpret_cast<const unsigned char*>(a.c_str()),
                    reinterpret_cast<const unsigned char*>(b.c_str()));
}

// ---- the file as it was ----------------------------------------------------

bool CKeySymStore::KeySymFileChangedOnDisk() const
{
    if (m_bFileUnread) return true;
    std::string bytes;
    const WholeFileRead read = ReadKeySymFileBytes(m_strKeySymFile, bytes);
    if (read == WholeFileRead::Missing) return m_bFileExisted;
    return read != WholeFileRead::Done || !m_bFileExisted || !m_file || bytes != m_file->Bytes();
}

// ---- the store ------------------------------------------------------------

const std::string& CKeySymStore::SetName(int set) const
{
    static const std::string none;
    return HasSet(set) ? m_setNames[static_cast<size_t>(set)] : none;
}

void CKeySymStore::SortSetNames()
{
    // A stable sort gives exactly what repeated exchange passes give, in n log n.
    std::stable_sort(m_setNames.begin(), m_setNames.end(), SetNameLess());
}

// ---- reading --------------------------------------------------------------

void CKeySymStore::LoadKeySymFile(const std::string& path)
{
    // A file that cannot be taken whole is unreadable, never an empty one: saving over it
    // would lose it.
    std::string bytes;
    const WholeFileRead read = ReadKeySymFileBytes(path, bytes);
    m_bFileUnread = read == WholeFileRead::Failed || read == WholeFileRead::TooLarge;
    m_bFileExisted = read != WholeFileRead::Missing;
    if (read != WholeFileRead::Done) std::string().swap(bytes);
    auto file = std::make_shared<const KeySymFileLines>(std::move(bytes));
    // Positions are given after sorting, so every entry points into the sorted list.
    file->Fill(m_setNames, m_keySyms);
    m_bFileUnshown = file->HasUnshownNames();
    m_file = std::move(file);
    m_setRenames.clear();
}

// ---- writing --------------------------------------------------------------

void CKeySymStore::WriteSetList(std::string& out, Layout* layout) const
{
    out.push_back('[');
    out.append(kSetListSection);
    if (layout) layout->Mark(out.size(), true);
    out.append("]\r\n");
    for (const std::string& name : m_setNames) {
        out.append(name);
        if (layout) layout->Mark(out.size(), false);
        out.append("=1\r\n");
    }
}

void CKeySymStore::WriteSetSection(std::string& out, const std::string& setName,
                                   const std::vector<const KeySymMap::value_type*>& keySyms, Layout* layout) const
{
    out.push_back('[');
    out.append(setName);
    if (layout) layout->Mark(out.size(), true);
    out.append("]\r\n");
    for (const KeySymMap::value_type* keySym : keySyms) {
        out.append(keySym->first);
        if (layout) layout->Mark(out.size(), false);
        out.push_back('=');
        out.append(keySym->second->m_strValue);
        out.append("\r\n");
    }
}

std::string CKeySymStore::FormatKeySymFile(Layout* layout) const
{
    const size_t sets = m_setNames.size();

    // Sets whose names the reader takes for one section share one group: the
    // section of each lists the keysyms of all of them, so that whichever the
    // reader finds holds them. One walk over the map fills every group, in the
    // map's order.
    std::unordered_map<std::string, size_t> groupOf;
    std::vector<size_t> setGroup(sets);
    size_t bytes = 8;
    for (size_t i = 0; i < sets; ++i) {
        const size_t next = groupOf.size();
        setGroup[i] = groupOf.emplace(ProfileSections::NameKey(m_setNames[i]), next).first->second;
        bytes += 2 * m_setNames[i].size() + 8;
    }
    std::vector<std::vector<const KeySymMap::value_type*>> groups(groupOf.size());
    std::vector<size_t> groupBytes(groupOf.size());
    size_t lines = 1 + 2 * sets;
    for (const KeySymMap::value_type& keySym : m_keySyms) {
        const int set = keySym.second ? keySym.second->m_nSet : -1;
        if (set < 0 || static_cast<size_t>(set) >= sets) {
            // Belongs to no set: no section lists it.
            if (layout) layout->whole = false;
            continue;
        }
        const size_t g = setGroup[static_cast<size_t>(set)];
        groups[g].push_back(&keySym);
        groupBytes[g] += keySym.first.size() + keySym.second->m_strValue.size() + 3;
    }
    for (size_t i = 0; i < sets; ++i) {
        bytes += groupBytes[setGroup[i]];
        lines += groups[setGroup[i]].size();
    }

    std::string out;
    out.reserve(bytes);
    if (layout) layout->marks.reserve(lines);
    WriteSetList(out, layout);
    for (size_t i = 0; i < sets; ++i)
        WriteSetSection(out, m_setNames[i], groups[setGroup[i]], layout);
    return out;
}

KeySymSave CKeySymStore::SaveKeySymFile(bool replaceChanged)
{
    m_saveRefusal = KeySymFileRefusal();
    try {
        // Made and read back before the lock is taken, so that the lock is held only briefly.
        if (!m_file) m_file = std::make_shared<const KeySymFileLines>(std::string());
        std::shared_ptr<const KeySymFileLines> written = m_file->Update(*this, m_setRenames, m_saveRefusal);
        if (!written) return KeySymSave::Refused;

        const KeySymFileLock lock(m_strKeySymFile);
        if (!lock.Held()) return KeySymSave::Failed;
        const DWORD attributes = ::GetFileAttributesA(m_strKeySymFile.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
            return KeySymSave::ReadOnly;
        if (!replaceChanged && KeySymFileChangedOnDisk()) return KeySymSave::ChangedOnDisk;
        KeySymFileOps system;
        if (!WriteFileReplacing(m_strUserDir, m_strKeySymFile, written->Bytes(), m_pFileOps ? *m_pFileOps : system))
            return KeySymSave::Failed;
        m_file = std::move(written);
        m_bFileExisted = true;
        m_bFileUnread = false;
        m_setRenames.clear();
        return KeySymSave::Saved;
    } catch (...) {
        // Out of memory before the keysym file was touched.
        return KeySymSave::Failed;
    }
}

BOOL CKeySymStore::SaveKeySymFile()
{
    return SaveKeySymFile(true) == KeySymSave::Saved;
}
