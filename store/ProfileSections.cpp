#include "store/ProfileSections.h"
#include "store/WholeFile.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <type_traits>

namespace {

// The platform's idea of a blank in a profile line (^Z counts: old DOS files end with it).
template <typename Ch>
inline bool IsBlank(Ch ch)
{
    const unsigned c = static_cast<std::make_unsigned_t<Ch>>(ch);
    return (c >= 0x09 && c <= 0x0D) || c == 0x1A || c == 0x20;
}

template <typename Ch>
inline bool IsLineEnd(Ch c)
{
    return c == '\n' || c == '\r';
}

// The platform reads every string with C string calls: a NUL ends it.
template <typename Ch>
inline std::basic_string_view<Ch> UpToNul(std::basic_string_view<Ch> s)
{
    const size_t n = s.find(Ch(0));
    return n == s.npos ? s : s.substr(0, n);
}

std::string WideToAnsi(const wchar_t* text, int count)
{
    std::string out;
    if (count <= 0) return out;
    const int n = WideCharToMultiByte(CP_ACP, 0, text, count, nullptr, 0, nullptr, nullptr);
    if (n <= 0) return out;
    out.resize(static_cast<size_t>(n));
    WideCharToMultiByte(CP_ACP, 0, text, count, out.data(), n, nullptr, nullptr);
    return out;
}

// A file marked as UTF-8 or UTF-16 is text of that encoding; returns it
// decoded, or false for a file of the ANSI code page.
bool DecodeMarked(const std::string& bytes, std::wstring& text)
{
    const auto* u = reinterpret_cast<const unsigned char*>(bytes.data());
    const size_t size = bytes.size();
    if (size >= 3 && u[0] == 0xEF && u[1] == 0xBB && u[2] == 0xBF) {
        const int in = static_cast<int>(size - 3);
        const int n = in > 0 ? MultiByteToWideChar(CP_UTF8, 0, bytes.data() + 3, in, nullptr, 0) : 0;
        text.assign(static_cast<size_t>(std::max(n, 0)), L'\0');
        if (n > 0) MultiByteToWideChar(CP_UTF8, 0, bytes.data() + 3, in, text.data(), n);
        return true;
    }
    const bool little = size >= 2 && u[0] == 0xFF && u[1] == 0xFE;
    const bool big = size >= 2 && u[0] == 0xFE && u[1] == 0xFF;
    if (!little && !big) return false;
    text.assign((size - 2) / 2, L'\0');
    for (size_t i = 0; i < text.size(); ++i) {
        const unsigned a = u[2 + 2 * i];
        const unsigned b = u[3 + 2 * i];
        text[i] = static_cast<wchar_t>(little ? (a | (b << 8)) : ((a << 8) | b));
    }
    return true;
}

// Section names match as the platform matches them: as characters, with "A" to "Z"
// folded to lower case and every other character as it is.
template <typename Ch>
inline Ch FoldAscii(Ch c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<Ch>(c - 'A' + 'a') : c;
}

// The key of a folded name of characters: each UTF-16 unit in one to three bytes as
// UTF-8 spells it, so that ASCII names keep their bytes and no two names share a key.
std::string WideKey(std::wstring_view name)
{
    std::string key;
    key.reserve(name.size() * 3);
    for (wchar_t ch : name) {
        const unsigned u = static_cast<unsigned>(FoldAscii(ch)) & 0xFFFF;
        if (u < 0x80) {
            key.push_back(static_cast<char>(u));
        } else if (u < 0x800) {
            key.push_back(static_cast<char>(0xC0 | (u >> 6)));
            key.push_back(static_cast<char>(0x80 | (u & 0x3F)));
        } else {
            key.push_back(static_cast<char>(0xE0 | (u >> 12)));
            key.push_back(static_cast<char>(0x80 | ((u >> 6) & 0x3F)));
            key.push_back(static_cast<char>(0x80 | (u & 0x3F)));
        }
    }
    return key;
}

// Past the last "]" character of a header line, or `b` when it has none. In a
// double-byte code page a trail byte can be "]": only whole characters count.
const char* HeaderClose(const char* b, const char* e)
{
    const char* close = b;
    for (const char* p = b; p < e; ++p) {
        const auto c = static_cast<unsigned char>(*p);
        if (c >= 0x80 && p + 1 < e && IsDBCSLeadByteEx(CP_ACP, c))
            ++p;
        else if (c == ']')
            close = p + 1;
    }
    return close;
}

const wchar_t* HeaderClose(const wchar_t* b, const wchar_t* e)
{
    const wchar_t* close = e;
    while (close > b && close[-1] != L']') --close;
    return close;
}

}  // namespace

ProfileSections::ProfileSections(std::string bytes)
    : m_bytes(std::move(bytes))
{
    // Lines before the first header belong to a section without a name.
    m_sections.push_back({0, 0, {}, 0, true});
    m_index.emplace(std::string(), 0);

    std::wstring text;
    if (DecodeMarked(m_bytes, text)) {
        m_bytes.clear();
        Read(text.data(), text.data() + text.size());
    } else {
        // About one entry a line: room for them at once.
        m_entries.reserve(static_cast<size_t>(std::count(m_bytes.begin(), m_bytes.end(), '\n')) + 1);
        Read(m_bytes.data(), m_bytes.data() + m_bytes.size());
    }
}

template <typename Ch>
void ProfileSections::Read(const Ch* p, const Ch* end)
{
    using View = std::basic_string_view<Ch>;
    struct Sink {
        ProfileSections& self;
        void Header(View name, size_t line)
        {
            auto& sections = self.m_sections;
            sections.push_back({self.m_entries.size(), self.m_entries.size(), self.Keep(name), line, false});
            std::string key;
            if (self.SectionKey(name, key))
                sections.back().found = self.m_index.emplace(std::move(key), sections.size() - 1).second;
        }
        void Entry(View name, View value, bool hasValue, size_t line)
        {
            self.m_entries.push_back({self.Keep(name), self.Keep(value), hasValue, line});
            self.m_sections.back().last = self.m_entries.size();
        }
    } sink{*this};
    Parse(p, end, sink);
}

void ProfileSections::Visit(std::string_view ansiBytes, Visitor& visitor)
{
    struct Sink {
        Visitor& visitor;
        void Header(std::string_view name, size_t line) { visitor.Header(name, line); }
        void Entry(std::string_view name, std::string_view value, bool hasValue, size_t line)
        {
            visitor.Entry({name, value, hasValue, line});
        }
    } sink{visitor};
    Parse(ansiBytes.data(), ansiBytes.data() + ansiBytes.size(), sink);
}

ProfileSections ProfileSections::FromFile(const std::string& path, bool* unreadable)
{
    // The platform reads profiles of up to 4 GB less one byte; so do we.
    std::string bytes;
    const WholeFileRead read = ReadWholeFile(path, bytes, 0xFFFFFFFEULL);
    if (read == WholeFileRead::TooLarge) bytes.clear();
    if (unreadable) *unreadable = read == WholeFileRead::Failed || read == WholeFileRead::TooLarge;
    return ProfileSections(std::move(bytes));
}

std::string_view ProfileSections::Keep(std::wstring_view text)
{
    text = UpToNul(text);
    return m_converted.emplace_back(WideToAnsi(text.data(), static_cast<int>(text.size())));
}

bool ProfileSections::SectionKey(std::string_view name, std::string& key) const
{
    key = Fold(name);
    return true;
}

bool ProfileSections::SectionKey(std::wstring_view name, std::string& key) const
{
    // A name with characters outside the ANSI code page matches no ANSI name.
    name = UpToNul(name);
    std::string ansi;
    if (!name.empty()) {
        const int count = static_cast<int>(name.size());
        const int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, name.data(), count, nullptr, 0, nullptr, nullptr);
        if (n <= 0) return false;
        ansi.resize(static_cast<size_t>(n));
        BOOL lossy = FALSE;
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, name.data(), count, ansi.data(), n, nullptr, &lossy);
        if (lossy) return false;
    }
    key = Fold(ansi);
    return true;
}

std::string ProfileSections::Fold(std::string_view name)
{
    name = UpToNul(name);
    std::string out(name.size(), '\0');
    for (size_t i = 0; i < name.size(); ++i) {
        if (static_cast<unsigned char>(name[i]) >= 0x80)
            return FoldWide(name);
        out[i] = FoldAscii(name[i]);
    }
    return out;
}

std::string ProfileSections::FoldWide(std::string_view name)
{
    // The platform compares names as UTF-16 text made with the ANSI code page, so that a
    // trail byte is never folded and bytes that spell the same character match.
    const int count = static_cast<int>(name.size());
    const int n = MultiByteToWideChar(CP_ACP, 0, name.data(), count, nullptr, 0);
    std::wstring wide(static_cast<size_t>(std::max(n, 0)), L'\0');
    if (n > 0) MultiByteToWideChar(CP_ACP, 0, name.data(), count, wide.data(), n);
    return WideKey(wide);
}

template <typename Ch, typename Sink>
void ProfileSections::Parse(const Ch* p, const Ch* const end, Sink& sink)
{
    // Of several lines in a row that begin with "=", the platform keeps the first.
    enum { NoKey, NamedKey, UnnamedKey } previous = NoKey;

    using View = std::basic_string_view<Ch>;
    size_t line = 1, nextLine = 1;
    while (p < end) {
        // A line ends at CR or LF; a run of them ends it only once. Line numbers count
        // CR LF, LF and a lone CR as one line end each.
        const Ch* e = p;
        while (e < end && !IsLineEnd(*e)) ++e;
        const Ch* next = e;
        line = nextLine;
        for (; next < end && IsLineEnd(*next); ++next)
            if (*next == '\n' || next + 1 == end || next[1] != '\n') ++nextLine;

        const Ch* b = p;
        p = next;
        while (b < e && IsBlank(*b)) ++b;
        while (e > b && IsBlank(e[-1])) --e;
        if (b == e) continue;

        if (*b == '[') {
            const Ch* close = HeaderClose(b, e);
            if (close > b) {
                // Blanks just inside the brackets are not part of the name.
                const Ch* nb = b + 1;
                const Ch* ne = close - 1;
                while (nb < ne && IsBlank(*nb)) ++nb;
                while (ne > nb && IsBlank(ne[-1])) --ne;
                sink.Header(View(nb, static_cast<size_t>(ne - nb)), line);
                previous = NoKey;
                continue;
            }
            // Without a closing bracket the line is an ordinary one.
        }

        const Ch* eq = std::find(b, e, Ch('='));
        if (eq == e) eq = nullptr;
        View name;
        View value;
        if (eq) {
            const Ch* nameEnd = eq;
            while (nameEnd > b && IsBlank(nameEnd[-1])) --nameEnd;
            const Ch* v = eq + 1;
            while (v < e && IsBlank(*v)) ++v;
            name = View(b, static_cast<size_t>(nameEnd - b));
            value = View(v, static_cast<size_t>(e - v));
        } else {
            name = View(b, static_cast<size_t>(e - b));
        }

        if (name.empty() && previous == UnnamedKey) continue;
        name = UpToNul(name);
        previous = name.empty() ? UnnamedKey : NamedKey;

        if (name.empty() && !eq) continue;     // nothing but a NUL
        if (!name.empty() && name[0] == ';') continue;    // comment
        sink.Entry(name, UpToNul(value), eq != nullptr, line);
    }
}

ProfileSections::Range ProfileSections::Find(std::string_view name) const
{
    const auto it = m_index.find(Fold(name));
    if (it == m_index.end()) return {};
    const Section& s = m_sections[it->second];
    return {m_entries.data() + s.first, m_entries.data() + s.last};
}

std::vector<ProfileSections::Header> ProfileSections::Headers() const
{
    std::vector<Header> headers;
    headers.reserve(m_sections.size());
    for (const Section& s : m_sections)
        headers.push_back({s.name, s.line, {m_entries.data() + s.first, m_entries.data() + s.last}, s.found});
    return headers;
}

std::string ProfileSections::Block(std::string_view name) const
{
    std::string out;
    for (const ProfileEntry& entry : Find(name)) {
        out.append(entry.name);
        if (entry.hasValue) {
            out.push_back('=');
            out.append(entry.value);
        }
        out.push_back('\0');
    }
    if (out.empty()) out.push_back('\0');
    out.push_back('\0');
    return out;
}
