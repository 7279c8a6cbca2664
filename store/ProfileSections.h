// Sections of a private-profile (INI) file, read in one pass.
//
// For every section name, Find() yields exactly the lines that the platform's
// GetPrivateProfileSectionA returns for that name, whole, however long: the
// first section of a name wins, names match character by character in the ANSI
// code page (a lead byte and its trail byte together) with "A" to "Z" folded to
// lower case, a header ends at its last "]" character, blanks are trimmed where the platform trims them (around lines, "="
// and inside the brackets of a header), comment lines are dropped and lines
// without "=" are kept as bare names. Bytes are kept as they are where the
// platform would pass them through the ANSI code page.
#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// One line of a section. Without "=", only the name is set.
struct ProfileEntry {
    std::string_view name;
    std::string_view value;
    bool hasValue;
    size_t line;   // where it stands in the file, counting from 1
};

class ProfileSections {
public:
    // Takes the file's bytes; the entries point into them.
    explicit ProfileSections(std::string bytes);
    ProfileSections(const ProfileSections&) = delete;
    ProfileSections& operator=(const ProfileSections&) = delete;

    // Reads the whole file. A missing or unreadable file has no sections.
    // The file's sections; a missing file has none. `unreadable`, when given, tells whether
    // a file was there that could not be read whole.
    static ProfileSections FromFile(const std::string& path, bool* unreadable = nullptr);

    struct Range {
        const ProfileEntry* first = nullptr;
        const ProfileEntry* last = nullptr;
        const ProfileEntry* begin() const { return first; }
        const ProfileEntry* end() const { return last; }
        size_t size() const { return static_cast<size_t>(last - first); }
        bool empty() const { return first == last; }
    };

    // The lines of the first section named `name` (any case); empty when there is none.
    Range Find(std::string_view name) const;

    // A section as it stands in the file. The lines before the first header form the first,
    // nameless one (line 0).
    struct Header {
        std::string_view name;
        size_t line;
        Range lines;
        bool found;   // Find(name) yields this section, not an earlier one of the same name
    };
    // Every section, in file order.
    std::vector<Header> Headers() const;

    // The key under which a section named `name` is found: names with one key name one
    // section for the platform's reader.
    static std::string NameKey(std::string_view name) { return Fold(name); }

    // What the reader meets in an ANSI file, in file order, without keeping it: the header
    // of each section (its name between the brackets) and each line of one. Comments,
    // blank lines and what else Find() never yields are not reported.
    struct Visitor {
        virtual void Header(std::string_view name, size_t line) = 0;
        virtual void Entry(const ProfileEntry& entry) = 0;
    protected:
        ~Visitor() = default;
    };
    static void Visit(std::string_view ansiBytes, Visitor& visitor);

    // The section as the platform's reader hands it out: each line NUL-terminated,
    // one more NUL at the end ("\0\0" when empty).
    std::string Block(std::string_view name) const;

private:
    struct Section {
        size_t first;
        size_t last;
        std::string_view name;
        size_t line;
        bool found;
    };

    template <typename Ch, typename Sink> static void Parse(const Ch* p, const Ch* end, Sink& sink);
    template <typename Ch> void Read(const Ch* p, const Ch* end);
    std::string_view Keep(std::string_view text) { return text; }
    std::string_view Keep(std::wstring_view text);
    bool SectionKey(std::string_view name, std::string& key) const;
    bool SectionKey(std::wstring_view name, std::string& key) const;
    static std::string Fold(std::string_view name);
    static std::string FoldWide(std::string_view name);

    std::string m_bytes;
    std::deque<std::string> m_converted;   // names and values of a UTF-8 or UTF-16 file, in ANSI
    std::vector<ProfileEntry> m_entries;
    std::vector<Section> m_sections;
    std::unordered_map<std::string, size_t> m_index;   // folded name -> first section of it
};
