#include "store/ProfileSections.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

namespace {

// The platform's idea of a blank in a profile line (^Z counts: old DOS files end with it).
inline bool IsBlank(unsigned char c)
{
    return (c >= 0x09 && c <= 0x0D) || c == 0x1A || c == 0x20;
}

inline bool IsLineEnd(char c)
{
    return c == '\n' || c == '\r';
}

// The platform reads every string with C string calls: a NUL ends it.
inline std::string_view UpToNul(std::string_view s)
{
    const size_t n = s.find('\0');
    return n == std::string_view::npos ? s : s.substr(0, n);
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

// A file marked as UTF-8 or UTF-16 is read as text of that encoding; its
// names and values then come out in the ANSI code page, as the platform's
// ANSI reader hands them out.
std::string ToAnsi(std::string bytes)
{
    const auto* u = reinterpret_cast<const unsigned char*>(bytes.data());
    const size_t size = bytes.size();
    if (size >= 3 && u[0] == 0xEF && u[1] == 0xBB && u[2] == 0xBF) {
        const int in = static_cast<int>(size - 3);
        if (in == 0) return std::string();
        const int n = MultiByteToWideChar(CP_UTF8, 0, bytes.data() + 3, in, nullptr, 0);
        if (n <= 0) return std::string();
        std::wstring wide(static_cast<size_t>(n), L'\0');
        MultiByteToWideChar(CP_UTF8, 0, bytes.data() + 3, in, wide.data(), n);
        return WideToAnsi(wide.data(), n);
    }
    const bool little = size >= 2 && u[0] == 0xFF && u[1] == 0xFE;
    const bool big = size >= 2 && u[0] == 0xFE && u[1] == 0xFF;
    if (little || big) {
        const size_t count = (size - 2) / 2;
        std::wstring wide(count, L'\0');
        for (size_t i = 0; i < count; ++i) {
            const unsigned char a = u[2 + 2 * i];
            const unsigned char b = u[3 + 2 * i];
            wide[i] = static_cast<wchar_t>(little ? (a | (b << 8)) : ((a << 8) | b));
        }
        return WideToAnsi(wide.data(), static_cast<int>(count));
    }
    return bytes;
}

// Section names match as the platform matches them: "A" to "Z" folded to
// lower case, every other byte as it is.
inline char FoldAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

ProfileSections::ProfileSections(std::string bytes)
    : m_bytes(ToAnsi(std::move(bytes)))
{
    Parse();
}

ProfileSections ProfileSections::FromFile(const std::string& path)
{
    std::string bytes;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        LARGE_INTEGER size{};
        // The platform reads profiles of up to 4 GB less one byte; so do we.
        if (GetFileSizeEx(file, &size) && size.QuadPart > 0 && size.QuadPart < 0xFFFFFFFFLL) {
            bytes.resize(static_cast<size_t>(size.QuadPart));
            size_t done = 0;
            while (done < bytes.size()) {
                DWORD got = 0;
                const DWORD want = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
                if (!ReadFile(file, bytes.data() + done, want, &got, nullptr) || got == 0) break;
                done += got;
            }
            bytes.resize(done);
        }
        CloseHandle(file);
    }
    return ProfileSections(std::move(bytes));
}

std::string ProfileSections::Fold(std::string_view name) const
{
    name = UpToNul(name);
    std::string out(name.size(), '\0');
    for (size_t i = 0; i < name.size(); ++i) out[i] = FoldAscii(name[i]);
    return out;
}

void ProfileSections::Parse()
{
    // Lines before the first header belong to a section without a name.
    m_sections.push_back({0, 0});
    m_index.emplace(std::string(), 0);

    // Of several lines in a row that begin with "=", the platform keeps the first.
    enum { NoKey, NamedKey, UnnamedKey } previous = NoKey;

    const char* p = m_bytes.data();
    const char* const end = p + m_bytes.size();
    while (p < end) {
        // A line ends at CR or LF; a run of them ends it only once.
        const char* e = p;
        while (e < end && !IsLineEnd(*e)) ++e;
        const char* next = e;
        while (next < end && IsLineEnd(*next)) ++next;

        const char* b = p;
        p = next;
        while (b < e && IsBlank(static_cast<unsigned char>(*b))) ++b;
        while (e > b && IsBlank(static_cast<unsigned char>(e[-1]))) --e;
        if (b == e) continue;

        if (*b == '[') {
            const char* close = e;
            while (close > b && close[-1] != ']') --close;
            if (close > b) {
                // Blanks just inside the brackets are not part of the name.
                const char* nb = b + 1;
                const char* ne = close - 1;
                while (nb < ne && IsBlank(static_cast<unsigned char>(*nb))) ++nb;
                while (ne > nb && IsBlank(static_cast<unsigned char>(ne[-1]))) --ne;
                const std::string_view name(nb, static_cast<size_t>(ne - nb));
                m_sections.push_back({m_entries.size(), m_entries.size()});
                m_index.emplace(Fold(name), m_sections.size() - 1);
                previous = NoKey;
                continue;
            }
            // Without a closing bracket the line is an ordinary one.
        }

        const char* eq = static_cast<const char*>(std::memchr(b, '=', static_cast<size_t>(e - b)));
        std::string_view name;
        std::string_view value;
        if (eq) {
            const char* nameEnd = eq;
            while (nameEnd > b && IsBlank(static_cast<unsigned char>(nameEnd[-1]))) --nameEnd;
            const char* v = eq + 1;
            while (v < e && IsBlank(static_cast<unsigned char>(*v))) ++v;
            name = std::string_view(b, static_cast<size_t>(nameEnd - b));
            value = std::string_view(v, static_cast<size_t>(e - v));
        } else {
            name = std::string_view(b, static_cast<size_t>(e - b));
        }

        if (name.empty() && previous == UnnamedKey) continue;
        name = UpToNul(name);
        previous = name.empty() ? UnnamedKey : NamedKey;

        if (name.empty() && !eq) continue;     // nothing but a NUL
        if (!name.empty() && name[0] == ';') continue;    // comment
        m_entries.push_back({name, UpToNul(value), eq != nullptr});
        m_sections.back().last = m_entries.size();
    }
}

ProfileSections::Range ProfileSections::Find(std::string_view name) const
{
    const auto it = m_index.find(Fold(name));
    if (it == m_index.end()) return {};
    const Section& s = m_sections[it->second];
    return {m_entries.data() + s.first, m_entries.data() + s.last};
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
