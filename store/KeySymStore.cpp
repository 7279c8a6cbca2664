#include "store/KeySymStore.h"

#include "store/WholeFile.h"
#include "store/ProfileSections.h"

#include <mbstring.h>

#include <algorithm>
#include <new>
#include <unordered_map>

namespace {

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

KeySymFileStamp ReadKeySymFileStamp(const std::string& path)
{
    KeySymFileStamp stamp;
    // No access asked: this sees the file even while another program holds it unshared.
    HANDLE file = ::CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        // Anything but "not there" is a file we cannot see into: never the same as before.
        stamp.exists = error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND;
        stamp.size = stamp.exists ? ~0ULL : 0;
        return stamp;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    if (::GetFileInformationByHandle(file, &info)) {
        stamp.volume = info.dwVolumeSerialNumber;
        stamp.fileIndex = (ULONGLONG(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
        stamp.size = (ULONGLONG(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
        stamp.lastWrite = (ULONGLONG(info.ftLastWriteTime.dwHighDateTime) << 32) | info.ftLastWriteTime.dwLowDateTime;
    } else {
        stamp.size = ~0ULL;
    }
    stamp.exists = true;
    ::CloseHandle(file);
    return stamp;
}

bool CKeySymStore::KeySymFileChangedOnDisk() const
{
    return m_bFileUnread || !(ReadKeySymFileStamp(m_strKeySymFile) == m_fileStamp);
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
    // Taken before reading: a change made while reading then shows as a change.
    m_fileStamp = ReadKeySymFileStamp(path);
    bool unreadable = false;
    const ProfileSections file = ProfileSections::FromFile(path, &unreadable);
    m_bFileUnread = unreadable;
    ReadSetList(file);
    SortSetNames();
    // Positions are given after sorting, so every entry points into the sorted list.
    for (size_t i = 0; i < m_setNames.size(); ++i)
        ReadSetSection(file, m_setNames[i], static_cast<int>(i));
}

void CKeySymStore::ReadSetList(const ProfileSections& file)
{
    // The value of a set-list line means nothing; a line without "=" names no set.
    for (const ProfileEntry& line : file.Find(kSetListSection))
        if (line.hasValue) m_setNames.emplace_back(line.name);
}

void CKeySymStore::ReadSetSection(const ProfileSections& file, const std::string& setName, int setIndex)
{
    // A later line of the same name replaces the earlier one, in this section or
    // in one read before. Lines come in name order in files we wrote, so each
    // insertion is tried right after the previous one first.
    auto hint = m_keySyms.end();
    for (const ProfileEntry& line : file.Find(setName)) {
        if (!line.hasValue) continue;
        auto it = m_keySyms.insert_or_assign(hint, std::string(line.name),
                                             std::make_unique<CKeySymEntry>(std::string(line.value), setIndex));
        hint = std::next(it);
    }
}

// ---- writing --------------------------------------------------------------

void CKeySymStore::WriteSetList(std::string& out) const
{
    out.push_back('[');
    out.append(kSetListSection);
    out.append("]\r\n");
    for (const std::string& name : m_setNames) {
        out.append(name);
        out.append("=1\r\n");
    }
}

void CKeySymStore::WriteSetSection(std::string& out, const std::string& setName,
                                   const std::vector<const KeySymMap::value_type*>& keySyms) const
{
    out.push_back('[');
    out.append(setName);
    out.append("]\r\n");
    for (const KeySymMap::value_type* keySym : keySyms) {
        out.append(keySym->first);
        out.push_back('=');
        out.append(keySym->second->m_strValue);
        out.append("\r\n");
    }
}

std::string CKeySymStore::FormatKeySymFile() const
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
    for (const KeySymMap::value_type& keySym : m_keySyms) {
        const int set = keySym.second ? keySym.second->m_nSet : -1;
        if (set < 0 || static_cast<size_t>(set) >= sets) continue;   // belongs to no set: no section lists it
        const size_t g = setGroup[static_cast<size_t>(set)];
        groups[g].push_back(&keySym);
        groupBytes[g] += keySym.first.size() + keySym.second->m_strValue.size() + 3;
    }
    for (size_t i = 0; i < sets; ++i) bytes += groupBytes[setGroup[i]];

    std::string out;
    out.reserve(bytes);
    WriteSetList(out);
    for (size_t i = 0; i < sets; ++i)
        WriteSetSection(out, m_setNames[i], groups[setGroup[i]]);
    return out;
}

BOOL CKeySymStore::SaveKeySymFile()
{
    try {
        const std::string bytes = FormatKeySymFile();
        KeySymFileOps system;
        if (!WriteFileReplacing(m_strUserDir, m_strKeySymFile, bytes, m_pFileOps ? *m_pFileOps : system)) return FALSE;
        m_fileStamp = ReadKeySymFileStamp(m_strKeySymFile);
        m_bFileUnread = false;
        return TRUE;
    } catch (...) {
        // Out of memory before any file was touched.
        return FALSE;
    }
}
