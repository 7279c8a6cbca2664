#include "store/KeySymFileLines.h"

#include "store/ProfileSections.h"

#include "resources/resource.h"

#include <algorithm>
#include <map>
#include <unordered_set>

namespace {

const size_t kNoLine = static_cast<size_t>(-1);

std::string_view View(const std::string& s, size_t begin, size_t end)
{
    return std::string_view(s.data() + begin, end - begin);
}

bool SetNameLess(std::string_view a, std::string_view b)
{
    return CompareSetNames(std::string(a), std::string(b)) < 0;
}

std::wstring AnsiToWide(std::string_view ansi, bool* ok)
{
    std::wstring wide;
    if (ok) *ok = true;
    if (ansi.empty()) return wide;
    const int count = static_cast<int>(ansi.size());
    const DWORD flags = ok ? MB_ERR_INVALID_CHARS : 0;
    const int n = MultiByteToWideChar(CP_ACP, flags, ansi.data(), count, nullptr, 0);
    if (n <= 0) {
        if (ok) *ok = false;
        return wide;
    }
    wide.resize(static_cast<size_t>(n));
    MultiByteToWideChar(CP_ACP, flags, ansi.data(), count, wide.data(), n);
    return wide;
}

}  // namespace

KeySymFileLines::KeySymFileLines(std::string bytes)
    : m_bytes(std::move(bytes))
{
    DetectEncoding();
    Sections();
    // Which names a code page cannot hold shows only line by line.
    if (m_encoding != KeySymFileEncoding::Ansi) Classify();
}

KeySymFileLines::KeySymFileLines(std::string bytes, ReadBack)
    : m_bytes(std::move(bytes))
{
    DetectEncoding();
    m_plain = m_plainKnown = true;
}

const ProfileSections& KeySymFileLines::Sections() const
{
    if (!m_sections) {
        m_sections = std::make_unique<ProfileSections>(m_bytes);
        if (m_encoding == KeySymFileEncoding::Ansi && !m_classified) ReadSetList();
    }
    return *m_sections;
}

KeySymFileLines::~KeySymFileLines() = default;

// ---- the lines ------------------------------------------------------------

void KeySymFileLines::DetectEncoding()
{
    const auto* u = reinterpret_cast<const unsigned char*>(m_bytes.data());
    const size_t size = m_bytes.size();
    if (size >= 3 && u[0] == 0xEF && u[1] == 0xBB && u[2] == 0xBF) {
        m_encoding = KeySymFileEncoding::Utf8;
        m_bodyBegin = 3;
    } else if (size >= 2 && u[0] == 0xFF && u[1] == 0xFE) {
        m_encoding = KeySymFileEncoding::Utf16Le;
        m_unit = m_bodyBegin = 2;
    } else if (size >= 2 && u[0] == 0xFE && u[1] == 0xFF) {
        m_encoding = KeySymFileEncoding::Utf16Be;
        m_unit = m_bodyBegin = 2;
    }
    m_bodyEnd = m_bodyBegin + (size - m_bodyBegin) / m_unit * m_unit;
}

// The set list, and whether the file holds only what the store's own writer writes: then
// every line is a header, a set line or a keysym line of a section a set is read from.
void KeySymFileLines::ReadSetList() const
{
    const std::vector<ProfileSections::Header> headers = m_sections->Headers();
    m_meaning.setNames.clear();
    size_t owned = 0;
    bool plain = true;
    const ProfileSections::Range main = m_sections->Find(kSetListSection);
    for (size_t s = 1; s < headers.size(); ++s)
        if (headers[s].found && ProfileSections::NameKey(headers[s].name) == kSetListSection) ++owned;
    for (const ProfileEntry& e : main) {
        if (e.hasValue)
            m_meaning.setNames.push_back(e.name);
        else
            plain = false;
    }
    owned += m_meaning.setNames.size();
    std::stable_sort(m_meaning.setNames.begin(), m_meaning.setNames.end(), SetNameLess);
    std::unordered_set<std::string> keys;
    for (std::string_view name : m_meaning.setNames) {
        const std::string key = ProfileSections::NameKey(name);
        if (!keys.insert(key).second || key.empty() || key == kSetListSection) plain = false;
    }
    if (plain)
        for (size_t s = 1; s < headers.size(); ++s) {
            if (!headers[s].found || !keys.count(ProfileSections::NameKey(headers[s].name))) continue;
            ++owned;
            for (const ProfileEntry& e : headers[s].lines) {
                if (!e.hasValue) plain = false;
                ++owned;
            }
        }
    // Lines: every CR is followed by LF, and no line is left uncounted.
    const char* b = m_bytes.data() + m_bodyBegin;
    const char* e = m_bytes.data() + m_bodyEnd;
    const size_t lf = static_cast<size_t>(std::count(b, e, '\n'));
    size_t cr = 0;
    for (const char* p = b; plain && (p = static_cast<const char*>(memchr(p, '\r', static_cast<size_t>(e - p)))); ++p, ++cr)
        if (p + 1 == e || p[1] != '\n') plain = false;
    const size_t lines = lf + (b < e && e[-1] != '\n' ? 1 : 0);
    m_plain = plain && (cr == 0 || cr == lf) && lines == owned && m_bodyEnd == m_bytes.size();
}

void KeySymFileLines::Split() const
{
    const auto* u = reinterpret_cast<const unsigned char*>(m_bytes.data());
    const size_t size = m_bytes.size();
    const bool big = m_encoding == KeySymFileEncoding::Utf16Be;
    auto unitAt = [&](size_t i) -> unsigned {
        if (m_unit == 1) return u[i];
        return big ? (u[i] << 8) | u[i + 1] : u[i] | (u[i + 1] << 8);
    };
    // Line ends as the section reader counts them: CR LF, LF and a lone CR end one line each.
    m_lines.reserve(size / 16 + 1);
    for (size_t p = m_bodyBegin; p < m_bodyEnd;) {
        size_t e = p;
        unsigned c = 0;
        while (e < m_bodyEnd && (c = unitAt(e)) != '\n' && c != '\r') e += m_unit;
        size_t end = e;
        if (e < m_bodyEnd) {
            end = e + m_unit;
            if (c == '\r' && end < m_bodyEnd && unitAt(end) == '\n') end += m_unit;
        }
        Line line;
        line.begin = p;
        line.textEnd = e;
        line.end = end;
        m_lines.push_back(line);
        p = end;
    }
}

void KeySymFileLines::Classify() const
{
    if (m_classified) return;
    m_classified = true;
    Split();
    m_meaning = KeySymFileMeaning();
    m_plain = true;
    const std::vector<ProfileSections::Header> headers = Sections().Headers();
    const size_t sections = headers.size();
    m_headerLine.assign(sections, kNoLine);
    m_sectionOwned.assign(sections, false);
    m_sectionKey.resize(sections);
    m_sectionEntries.resize(sections);

    std::unordered_map<std::string, size_t> found;
    for (size_t s = 0; s < sections; ++s) {
        if (s > 0 && headers[s].line > 0) m_headerLine[s] = headers[s].line - 1;
        m_sectionKey[s] = ProfileSections::NameKey(headers[s].name);
        m_sectionEntries[s] = headers[s].lines;
        if (headers[s].found) found.emplace(m_sectionKey[s], s);
    }
    auto lineOf = [&](const ProfileEntry& e) -> Line& { return m_lines[e.line - 1]; };

    // The set list, as the store reads it.
    std::vector<std::string_view> listed;
    const auto main = found.find(kSetListSection);
    if (main != found.end() && main->second > 0) {
        m_mainSection = static_cast<int>(main->second);
        m_lines[m_headerLine[main->second]].kind = Kind::MainHeader;
        for (const ProfileEntry& e : headers[main->second].lines) {
            if (!e.hasValue) continue;
            Line& line = lineOf(e);
            if (!Representable(line)) {
                m_unshown = true;
                continue;
            }
            line.kind = Kind::SetLine;
            line.name = e.name;
            line.section = m_mainSection;
            listed.push_back(e.name);
        }
    }
    m_meaning.setNames = listed;
    std::stable_sort(m_meaning.setNames.begin(), m_meaning.setNames.end(), SetNameLess);

    // Each set's keysyms, from the section the reader finds for its name; a later line of a
    // name replaces an earlier one.
    std::vector<KeySymFileMeaning::KeySym>& keySyms = m_meaning.keySyms;
    keySyms.reserve(m_lines.size());
    std::unordered_set<std::string> setKeys;
    for (size_t i = 0; i < m_meaning.setNames.size(); ++i) {
        const std::string key = ProfileSections::NameKey(m_meaning.setNames[i]);
        if (!setKeys.insert(key).second || key.empty() || key == kSetListSection) m_plain = false;
        const auto it = found.find(key);
        if (it == found.end()) continue;
        const size_t s = it->second;
        if (static_cast<int>(s) != m_mainSection) m_sectionOwned[s] = true;
        for (const ProfileEntry& e : headers[s].lines) {
            if (!e.hasValue) continue;
            Line& line = lineOf(e);
            if (!Representable(line)) {
                m_unshown = true;
                continue;
            }
            keySyms.push_back({e.name, e.value, static_cast<int>(i), e.line - 1});
            if (line.kind == Kind::Foreign || line.kind == Kind::KeySym) {
                line.kind = Kind::KeySym;
                line.name = e.name;
                line.value = e.value;
                line.section = static_cast<int>(s);
            }
        }
    }
    for (size_t s = 0; s < sections; ++s)
        if (m_sectionOwned[s] && m_headerLine[s] != kNoLine) {
            m_lines[m_headerLine[s]].kind = Kind::SetHeader;
            m_lines[m_headerLine[s]].section = static_cast<int>(s);
        }
    // In name order, the line read last for each name: files we wrote are in that order already.
    auto byName = [](const KeySymFileMeaning::KeySym& a, const KeySymFileMeaning::KeySym& b) { return a.name < b.name; };
    if (!std::is_sorted(keySyms.begin(), keySyms.end(), byName))
        std::stable_sort(keySyms.begin(), keySyms.end(), byName);
    size_t kept = 0;
    for (size_t k = 0; k < keySyms.size(); ++k)
        if (k + 1 == keySyms.size() || keySyms[k + 1].name != keySyms[k].name) keySyms[kept++] = keySyms[k];
    keySyms.resize(kept);
    for (const KeySymFileMeaning::KeySym& keySym : keySyms)
        if (m_lines[keySym.line].kind == Kind::KeySym) m_lines[keySym.line].effective = true;

    // Anything the store's own writer would not write makes the file one that is edited in place.
    m_plainKnown = true;
    if (m_bodyEnd != m_bytes.size() || m_unshown) m_plain = false;
    for (const Line& line : m_lines)
        if (line.kind == Kind::Foreign || (line.kind == Kind::KeySym && !line.effective)) {
            m_plain = false;
            break;
        }
}

std::wstring KeySymFileLines::WideText(const Line& line) const
{
    std::wstring wide;
    const size_t bytes = line.textEnd - line.begin;
    if (m_encoding == KeySymFileEncoding::Utf8) {
        const int n = bytes ? MultiByteToWideChar(CP_UTF8, 0, m_bytes.data() + line.begin, static_cast<int>(bytes),
                                                  nullptr, 0)
                            : 0;
        wide.resize(static_cast<size_t>(std::max(n, 0)));
        if (n > 0)
            MultiByteToWideChar(CP_UTF8, 0, m_bytes.data() + line.begin, static_cast<int>(bytes), wide.data(), n);
        return wide;
    }
    const auto* u = reinterpret_cast<const unsigned char*>(m_bytes.data() + line.begin);
    const bool big = m_encoding == KeySymFileEncoding::Utf16Be;
    wide.resize(bytes / 2);
    for (size_t i = 0; i < wide.size(); ++i)
        wide[i] = static_cast<wchar_t>(big ? (u[2 * i] << 8) | u[2 * i + 1] : u[2 * i] | (u[2 * i + 1] << 8));
    return wide;
}

bool KeySymFileLines::Representable(const Line& line) const
{
    if (m_encoding == KeySymFileEncoding::Ansi) return true;
    const std::wstring wide = WideText(line);
    if (wide.empty()) return true;
    BOOL lossy = FALSE;
    const int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()),
                                      nullptr, 0, nullptr, &lossy);
    return n > 0 && !lossy;
}

std::string KeySymFileLines::AnsiText(const Line& line) const
{
    if (m_encoding == KeySymFileEncoding::Ansi) return m_bytes.substr(line.begin, line.textEnd - line.begin);
    const std::wstring wide = WideText(line);
    std::string ansi;
    if (wide.empty()) return ansi;
    const int n = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr,
                                      nullptr);
    ansi.resize(static_cast<size_t>(std::max(n, 0)));
    if (n > 0)
        WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), ansi.data(), n, nullptr, nullptr);
    return ansi;
}

std::vector<std::string_view> KeySymFileLines::ForeignLines() const
{
    std::vector<std::string_view> lines;
    if (m_plainKnown && m_plain) return lines;
    Classify();
    for (const Line& line : m_lines)
        if (line.kind == Kind::Foreign) lines.push_back(View(m_bytes, line.begin, line.textEnd));
    if (m_bodyEnd != m_bytes.size()) lines.push_back(View(m_bytes, m_bodyEnd, m_bytes.size()));
    return lines;
}

void KeySymFileLines::Fill(std::vector<std::string>& setNames, KeySymMap& keySyms) const
{
    Sections();
    setNames.assign(m_meaning.setNames.begin(), m_meaning.setNames.end());
    if (m_classified) {
        // In name order: each goes at the end.
        for (const KeySymFileMeaning::KeySym& keySym : m_meaning.keySyms)
            keySyms.insert_or_assign(keySyms.end(), std::string(keySym.name),
                                     std::make_unique<CKeySymEntry>(std::string(keySym.value), keySym.set));
        return;
    }
    // Set by set, as the store reads them: a later line of a name replaces an earlier one.
    // Lines come in name order in files we wrote, so each insertion is tried right after the
    // previous one first.
    size_t lines = 0;
    for (size_t i = 0; i < setNames.size(); ++i) {
        auto hint = keySyms.end();
        for (const ProfileEntry& e : Sections().Find(setNames[i])) {
            if (!e.hasValue) continue;
            hint = std::next(keySyms.insert_or_assign(
                hint, std::string(e.name), std::make_unique<CKeySymEntry>(std::string(e.value), static_cast<int>(i))));
            ++lines;
        }
    }
    if (!m_plainKnown) {
        m_plain = m_plain && lines == keySyms.size();
        m_plainKnown = true;
    }
}

bool KeySymFileLines::Plain() const
{
    if (!m_plainKnown) Classify();
    return m_plain;
}

// ---- writing --------------------------------------------------------------

bool KeySymFileLines::Encode(std::string_view ansi, std::string& out) const
{
    if (m_encoding == KeySymFileEncoding::Ansi) {
        out.append(ansi);
        return true;
    }
    bool ok = true;
    const std::wstring wide = AnsiToWide(ansi, &ok);
    if (!ok) return false;
    if (m_encoding == KeySymFileEncoding::Utf8) {
        if (wide.empty()) return true;
        const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                          nullptr, nullptr);
        if (n <= 0) return false;
        const size_t at = out.size();
        out.resize(at + static_cast<size_t>(n));
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), out.data() + at, n, nullptr,
                            nullptr);
        return true;
    }
    const bool big = m_encoding == KeySymFileEncoding::Utf16Be;
    for (wchar_t ch : wide) {
        const char lo = static_cast<char>(ch & 0xFF), hi = static_cast<char>((ch >> 8) & 0xFF);
        out.push_back(big ? hi : lo);
        out.push_back(big ? lo : hi);
    }
    return true;
}

void KeySymFileLines::EncodeLineEnd(std::string& out) const
{
    Encode("\r\n", out);
}

KeySymFileRefusal KeySymFileLines::CheckEncodable(const CKeySymStore& store) const
{
    KeySymFileRefusal refusal;
    if (m_encoding == KeySymFileEncoding::Ansi) return refusal;
    std::string scratch;
    auto spelt = [&](const std::string& text) {
        scratch.clear();
        return Encode(text, scratch);
    };
    for (const std::string& name : store.m_setNames)
        if (!spelt(name)) {
            refusal.what = KeySymFileRefusal::Encoding;
            refusal.name = name;
            return refusal;
        }
    for (const auto& [name, entry] : store.m_keySyms)
        if (!spelt(name) || (entry && !spelt(entry->m_strValue))) {
            refusal.what = KeySymFileRefusal::Encoding;
            refusal.name = name;
            return refusal;
        }
    return refusal;
}

KeySymFileRefusal KeySymFileLines::Render(const CKeySymStore& store, const std::vector<SetRename>& renames,
                                          std::string& out, CKeySymStore::Layout* layout) const
{
    KeySymFileRefusal refusal = CheckEncodable(store);
    if (refusal) return refusal;

    // The store's own writer lists a set's keysyms under every set of its name; here the
    // reader would find only the first such section, so the file is edited in place instead.
    bool plain = Plain();
    if (plain) {
        std::unordered_set<std::string> keys;
        for (const std::string& name : store.m_setNames) {
            const std::string key = ProfileSections::NameKey(name);
            if (!keys.insert(key).second || key == kSetListSection) {
                plain = false;
                break;
            }
        }
    }
    if (!plain) {
        RenderEdited(store, renames, out);
        return refusal;
    }
    if (m_encoding == KeySymFileEncoding::Ansi) {
        out = store.FormatKeySymFile(layout);
    } else {
        const std::string bytes = store.FormatKeySymFile();
        out.assign(m_bytes, 0, m_bodyBegin);
        Encode(bytes, out);
    }
    return refusal;
}

void KeySymFileLines::RenderEdited(const CKeySymStore& store, const std::vector<SetRename>& renames,
                                   std::string& out) const
{
    Classify();
    enum Fate : unsigned char { Keep, Drop, Replace };
    const size_t n = m_lines.size();
    std::vector<unsigned char> fate(n, Keep);
    std::unordered_map<size_t, std::string> replaced;
    std::map<size_t, std::vector<std::string>> before;   // new lines to go before line i (n: the end)

    const std::vector<std::string>& sets = store.m_setNames;
    std::vector<std::string> setKey(sets.size());
    std::unordered_map<std::string, size_t> firstSetOfKey;
    for (size_t i = 0; i < sets.size(); ++i) {
        setKey[i] = ProfileSections::NameKey(sets[i]);
        firstSetOfKey.emplace(setKey[i], i);
    }

    // The set list: a line stays while its set does, follows a rename, and a new set's line
    // goes where its name sorts among the lines that stay.
    std::vector<size_t> setLines;
    std::vector<std::string> now;
    for (size_t i = 0; i < n; ++i)
        if (m_lines[i].kind == Kind::SetLine) {
            setLines.push_back(i);
            now.emplace_back(m_lines[i].name);
        }
    for (const SetRename& rename : renames)
        for (std::string& name : now)
            if (name == rename.from) {
                name = rename.to;
                break;
            }
    std::unordered_map<std::string, int> wanted;
    for (const std::string& name : sets) ++wanted[name];
    std::vector<bool> stays(setLines.size());
    for (size_t j = 0; j < setLines.size(); ++j) {
        const auto it = wanted.find(now[j]);
        const size_t i = setLines[j];
        if (it == wanted.end() || it->second == 0) {
            fate[i] = Drop;
            continue;
        }
        --it->second;
        stays[j] = true;
        if (now[j] != m_lines[i].name) {
            fate[i] = Replace;
            replaced[i] = now[j] + "=1";
        }
    }
    size_t mainAt = n;
    if (m_mainSection > 0)
        mainAt = m_headerLine[static_cast<size_t>(m_mainSection)] + 1;
    else
        before[n].push_back(std::string("[") + kSetListSection + "]");
    for (const std::string& name : sets) {
        int& left = wanted[name];
        if (left == 0) continue;
        --left;
        size_t at = mainAt;
        for (size_t j = setLines.size(); j-- > 0;)
            if (stays[j] && CompareSetNames(now[j], name) <= 0) {
                at = setLines[j] + 1;
                break;
            }
        before[at].push_back(name + "=1");
    }

    // Sections: one stays while a set of its name is left, goes with a renamed set, or goes
    // (its header and keysym lines; its other lines stay).
    const size_t sections = m_headerLine.size();
    std::vector<std::string> owner(sections);
    std::vector<bool> dropped(sections, false);
    std::unordered_set<std::string> claimed;
    for (size_t s = 0; s < sections; ++s)
        if (m_sectionOwned[s] && firstSetOfKey.count(m_sectionKey[s]) && claimed.insert(m_sectionKey[s]).second)
            owner[s] = m_sectionKey[s];
    for (size_t s = 0; s < sections; ++s) {
        if (!m_sectionOwned[s] || !owner[s].empty()) continue;
        for (size_t j = 0; j < setLines.size() && m_headerLine[s] != kNoLine; ++j) {
            if (!stays[j] || now[j] == m_lines[setLines[j]].name) continue;
            if (ProfileSections::NameKey(m_lines[setLines[j]].name) != m_sectionKey[s]) continue;
            const std::string key = ProfileSections::NameKey(now[j]);
            if (!firstSetOfKey.count(key) || !claimed.insert(key).second) continue;
            owner[s] = key;
            fate[m_headerLine[s]] = Replace;
            replaced[m_headerLine[s]] = "[" + now[j] + "]";
            break;
        }
        if (owner[s].empty()) {
            dropped[s] = true;
            if (m_headerLine[s] != kNoLine) fate[m_headerLine[s]] = Drop;
        }
    }

    // Keysym lines: kept or rewritten in place while the keysym stays in its set.
    std::unordered_set<std::string_view> placed;
    std::vector<size_t> shadowed;
    for (size_t i = 0; i < n; ++i) {
        const Line& line = m_lines[i];
        if (line.kind != Kind::KeySym) continue;
        const size_t s = static_cast<size_t>(line.section);
        if (dropped[s]) {
            fate[i] = Drop;
            continue;
        }
        if (!line.effective) {
            shadowed.push_back(i);
            continue;
        }
        const auto it = store.m_keySyms.find(std::string(line.name));
        const int set = it == store.m_keySyms.end() || !it->second ? -1 : it->second->m_nSet;
        if (set < 0 || static_cast<size_t>(set) >= sets.size() || setKey[static_cast<size_t>(set)] != owner[s]) {
            fate[i] = Drop;
            continue;
        }
        placed.insert(line.name);
        if (it->second->m_strValue != line.value) {
            fate[i] = Replace;
            replaced[i] = it->first + "=" + it->second->m_strValue;
        }
    }
    // An earlier line of a keysym still in place stays as harmless as it was.
    for (size_t i : shadowed)
        if (!placed.count(m_lines[i].name)) fate[i] = Drop;

    // New keysyms go at the end of their set's section: after its last line of a name that stays.
    std::unordered_map<std::string, size_t> sectionOfKey;
    for (size_t s = 0; s < sections; ++s)
        if (!owner[s].empty()) sectionOfKey.emplace(owner[s], s);
    std::unordered_map<size_t, size_t> anchor;
    auto anchorOf = [&](size_t s) {
        const auto known = anchor.find(s);
        if (known != anchor.end()) return known->second;
        size_t at = m_headerLine[s] == kNoLine ? 0 : m_headerLine[s] + 1;
        const ProfileSections::Range& entries = m_sectionEntries[s];
        for (const ProfileEntry* e = entries.end(); e != entries.begin();) {
            --e;
            if (fate[e->line - 1] != Drop) {
                at = e->line;
                break;
            }
        }
        anchor.emplace(s, at);
        return at;
    };
    std::vector<std::pair<std::string, std::vector<std::string>>> fresh;
    std::unordered_map<std::string, size_t> freshOfKey;
    for (size_t i = 0; i < sets.size(); ++i)
        if (setKey[i] != kSetListSection && !sectionOfKey.count(setKey[i]) && freshOfKey.emplace(setKey[i], fresh.size()).second)
            fresh.emplace_back("[" + sets[i] + "]", std::vector<std::string>());
    for (const auto& [name, entry] : store.m_keySyms) {
        if (!entry || placed.count(name)) continue;
        const int set = entry->m_nSet;
        if (set < 0 || static_cast<size_t>(set) >= sets.size()) continue;
        const std::string& key = setKey[static_cast<size_t>(set)];
        std::string line = name + "=" + entry->m_strValue;
        const auto s = sectionOfKey.find(key);
        if (s != sectionOfKey.end())
            before[anchorOf(s->second)].push_back(std::move(line));
        else if (key != kSetListSection)
            fresh[freshOfKey[key]].second.push_back(std::move(line));
    }
    // A set the file listed without a section stays without one while it has no keysyms: its
    // header might not even read back in this code page.
    std::unordered_set<std::string_view> listed(m_meaning.setNames.begin(), m_meaning.setNames.end());
    for (auto& [header, lines] : fresh) {
        if (lines.empty() && listed.count(std::string_view(header).substr(1, header.size() - 2))) continue;
        std::vector<std::string>& end = before[n];
        end.push_back(std::move(header));
        for (std::string& line : lines) end.push_back(std::move(line));
    }

    out.assign(m_bytes, 0, m_bodyBegin);
    out.reserve(m_bytes.size() + m_bytes.size() / 8 + 64);
    auto next = before.begin();
    for (size_t i = 0; i <= n; ++i) {
        if (next != before.end() && next->first == i) {
            for (const std::string& text : next->second) {
                Encode(text, out);
                EncodeLineEnd(out);
            }
            ++next;
        }
        if (i == n) break;
        const Line& line = m_lines[i];
        if (fate[i] == Drop) continue;
        if (fate[i] == Replace)
            Encode(replaced[i], out);
        else
            out.append(m_bytes, line.begin, line.textEnd - line.begin);
        if (line.end > line.textEnd)
            out.append(m_bytes, line.textEnd, line.end - line.textEnd);
        else if (next != before.end())
            EncodeLineEnd(out);   // the last line had no line end, and lines follow it now
    }
    out.append(m_bytes, m_bodyEnd, m_bytes.size() - m_bodyEnd);
}

// ---- reading it back --------------------------------------------------------

// Whether the reader, going through the bytes the store's own writer just wrote, meets
// exactly what was written where it was written: the "[main]" header, a line per set, then
// each set's header (found by its name: no two sets share a section) and its keysym lines,
// every name and value the very bytes copied there from the store, each line right after
// the one before, and nothing else. Nothing is kept: a file it does not take is read back
// in full, which names what is wrong.
bool KeySymFileLines::ReadsBackAs(const std::string& bytes, const CKeySymStore::Layout& layout,
                                  const CKeySymStore& store)
{
    const std::vector<std::string>& sets = store.m_setNames;
    // The reader's set list is sorted; it is the store's only when the store's is too.
    if (!layout.whole || layout.marks.size() < 1 + sets.size() ||
        !std::is_sorted(sets.begin(), sets.end(), SetNameLess))
        return false;

    struct Check : ProfileSections::Visitor {
        const char* base;
        const std::vector<unsigned>& marks;
        size_t sets;
        size_t next = 0;   // the line due, counting from 0
        size_t at = 0;     // where it must begin
        bool ok = true;
        std::unordered_set<std::string> keys;

        Check(const std::string& b, const CKeySymStore::Layout& l, size_t s) : base(b.data()), marks(l.marks), sets(s) {}
        size_t Offset(std::string_view seen) const { return static_cast<size_t>(seen.data() - base); }
        bool Due(size_t line, bool header)
        {
            const size_t j = next++;
            return ok && j < marks.size() && line == j + 1 && ((marks[j] & CKeySymStore::Layout::kHeader) != 0) == header;
        }
        void Header(std::string_view name, size_t line) override
        {
            const size_t close = marks[std::min(next, marks.size() - 1)] & ~CKeySymStore::Layout::kHeader;
            const size_t j = next;
            if (!Due(line, true) || Offset(name) != at + 1 || Offset(name) + name.size() != close) {
                ok = false;
                return;
            }
            at = close + 3;   // past "]" and the line end
            // The set list first, then sections of their own, each found by its name.
            const std::string key = ProfileSections::NameKey(name);
            if ((j == 0) != (key == kSetListSection) || (j != 0 && j < 1 + sets) || key.empty() ||
                !keys.insert(key).second)
                ok = false;
        }
        void Entry(const ProfileEntry& e) override
        {
            const size_t eq = marks[std::min(next, marks.size() - 1)];
            if (!Due(e.line, false) || !e.hasValue || Offset(e.name) != at || Offset(e.name) + e.name.size() != eq ||
                Offset(e.value) != eq + 1) {
                ok = false;
                return;
            }
            at = Offset(e.value) + e.value.size() + 2;   // past the value and the line end
        }
    } check(bytes, layout, sets.size());
    ProfileSections::Visit(bytes, check);
    return check.ok && check.next == layout.marks.size() && check.at == bytes.size();
}

std::unique_ptr<KeySymFileLines> KeySymFileLines::Update(const CKeySymStore& store,
                                                         const std::vector<SetRename>& renames,
                                                         KeySymFileRefusal& refusal) const
{
    std::string bytes;
    CKeySymStore::Layout layout;
    refusal = Render(store, renames, bytes, &layout);
    if (refusal) return nullptr;
    if (!layout.marks.empty() && ReadsBackAs(bytes, layout, store))
        return std::unique_ptr<KeySymFileLines>(new KeySymFileLines(std::move(bytes), ReadBack()));
    auto written = std::make_unique<KeySymFileLines>(std::move(bytes));
    auto refuse = [&](KeySymFileRefusal::What what, std::string name) {
        refusal.what = what;
        refusal.name = std::move(name);
        return nullptr;
    };

    // The sets, by name.
    const KeySymFileMeaning& meaning = written->Meaning();
    if (meaning.setNames.size() != store.m_setNames.size() ||
        !std::equal(meaning.setNames.begin(), meaning.setNames.end(), store.m_setNames.begin())) {
        std::unordered_map<std::string_view, int> count;
        for (std::string_view name : meaning.setNames) ++count[name];
        for (const std::string& name : store.m_setNames)
            if (count[name]-- <= 0) return refuse(KeySymFileRefusal::SetName, name);
        for (const auto& [name, left] : count)
            if (left > 0) return refuse(KeySymFileRefusal::SetName, std::string(name));
        for (size_t i = 0; i < store.m_setNames.size(); ++i)
            if (meaning.setNames[i] != store.m_setNames[i]) return refuse(KeySymFileRefusal::SetName, store.m_setNames[i]);
    }
    // Every keysym with its value, in its set, and no other.
    // Both are in name order: one walk compares them.
    auto read = meaning.keySyms.begin();
    for (const auto& [name, entry] : store.m_keySyms) {
        if (read != meaning.keySyms.end() && read->name < name) {
            // The file has one the store lacks; name the store's own when it is lost too.
            const auto at = std::lower_bound(read, meaning.keySyms.end(), name,
                                             [](const KeySymFileMeaning::KeySym& k, const std::string& n) { return k.name < n; });
            return refuse(KeySymFileRefusal::KeySym, at == meaning.keySyms.end() || at->name != name ? name : std::string(read->name));
        }
        if (read == meaning.keySyms.end() || read->name != name || !entry || read->value != entry->m_strValue ||
            read->set != entry->m_nSet)
            return refuse(KeySymFileRefusal::KeySym, name);
        ++read;
    }
    if (read != meaning.keySyms.end()) return refuse(KeySymFileRefusal::KeySym, std::string(read->name));
    // Every line the editor does not show, in its order.
    const std::vector<std::string_view> before = ForeignLines(), after = written->ForeignLines();
    if (before != after) {
        size_t k = 0;
        while (k < before.size() && k < after.size() && before[k] == after[k]) ++k;
        const KeySymFileLines& from = k < before.size() ? *this : *written;
        size_t seen = 0;
        for (const Line& line : from.m_lines)
            if (line.kind == Kind::Foreign && seen++ == k) return refuse(KeySymFileRefusal::ForeignLine, from.AnsiText(line));
        return refuse(KeySymFileRefusal::ForeignLine, std::string());
    }
    return written;
}

EditorMessage DescribeSaveRefusal(const KeySymFileRefusal& refusal, const std::string& path)
{
    EditorMessage message;
    switch (refusal.what) {
    case KeySymFileRefusal::None: return message;
    case KeySymFileRefusal::SetName: message.stringId = IDS_SAVE_SET_UNSTORABLE; break;
    case KeySymFileRefusal::KeySym: message.stringId = IDS_SAVE_KEYSYM_UNSTORABLE; break;
    case KeySymFileRefusal::Encoding: message.stringId = IDS_SAVE_NAME_UNENCODABLE; break;
    case KeySymFileRefusal::ForeignLine: message.stringId = IDS_SAVE_LINE_WOULD_CHANGE; break;
    }
    message.arg1 = refusal.name;
    message.arg2 = path;
    return message;
}
