// The keysym file kept as its lines, so that a save changes only what the user changed.
//
// Each line is either one the store owns (the "[main]" header, a set line, the header of
// the section a set's keysyms are read from, a keysym line of such a section) or a foreign
// one: comments, blank lines, lines without "=", sections "[main]" does not list, a second
// section of a name the reader has already found. Lines are told apart exactly as the
// section reader (and so the platform) reads them. A file marked as UTF-8 or UTF-16 keeps
// its mark and its encoding; a line the ANSI code page cannot hold stays in the file as
// it is and is not shown.
#pragma once

#include "store/KeySymFileSaving.h"
#include "store/KeySymStore.h"
#include "store/NameRules.h"
#include "store/ProfileSections.h"

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>


enum class KeySymFileEncoding { Ansi, Utf8, Utf16Le, Utf16Be };

// What the file means to the store: what loading it gives.
struct KeySymFileMeaning {
    struct KeySym {
        std::string_view name, value;
        int set;
        size_t line;   // the line it is read from, counting from 0
    };
    std::vector<std::string_view> setNames;   // sorted as the store sorts them
    std::vector<KeySym> keySyms;              // one per name, in name order (as the store's map)
};

class KeySymFileLines {
public:
    // The file's bytes, as read (empty for a missing file).
    explicit KeySymFileLines(std::string bytes);
    ~KeySymFileLines();
    KeySymFileLines(const KeySymFileLines&) = delete;
    KeySymFileLines& operator=(const KeySymFileLines&) = delete;

    const std::string& Bytes() const { return m_bytes; }
    KeySymFileEncoding Encoding() const { return m_encoding; }
    const KeySymFileMeaning& Meaning() const
    {
        Classify();
        return m_meaning;
    }
    // Set and keysym lines whose names the ANSI code page cannot spell: kept, not shown.
    bool HasUnshownNames() const { return m_unshown; }
    // Fills an empty store's set list and keysyms with what the file means.
    void Fill(std::vector<std::string>& setNames, KeySymMap& keySyms) const;
    // The foreign lines' text (line ends aside), in file order.
    std::vector<std::string_view> ForeignLines() const;

    // The bytes of this file after the store's changes: owned lines changed, added or removed,
    // foreign lines as they are. A file without foreign lines comes out as the store's own
    // writer writes it. Refused (and `out` left alone) only for a name the encoding cannot spell.
    // `layout`, when given, learns where the store's own writer put each line, if it wrote them.
    KeySymFileRefusal Render(const CKeySymStore& store, const std::vector<SetRename>& renames,
                             std::string& out, CKeySymStore::Layout* layout = nullptr) const;

    // The new file, made by Render and read back: null, with the name and the reason, unless
    // it means exactly the store's sets and keysyms and keeps every foreign line of this one.
    std::unique_ptr<KeySymFileLines> Update(const CKeySymStore& store, const std::vector<SetRename>& renames,
                                            KeySymFileRefusal& refusal) const;

private:
    enum class Kind : unsigned char { Foreign, MainHeader, SetLine, SetHeader, KeySym };
    struct Line {
        size_t begin, textEnd, end;   // in m_bytes; [textEnd, end) is its line end
        Kind kind = Kind::Foreign;
        bool effective = false;       // a keysym line the store takes its value from
        int section = -1;             // owned lines: their section in m_headers
        std::string_view name, value;
    };

    struct ReadBack {};
    // Bytes the store's own writer wrote and the reader has read back as the store: its
    // sections are read only when needed.
    KeySymFileLines(std::string bytes, ReadBack);
    static bool ReadsBackAs(const std::string& bytes, const CKeySymStore::Layout& layout,
                            const CKeySymStore& store);
    const ProfileSections& Sections() const;

    void DetectEncoding();
    void ReadSetList() const;
    void Split() const;
    void Classify() const;
    bool Plain() const;
    std::wstring WideText(const Line& line) const;
    bool Representable(const Line& line) const;
    std::string AnsiText(const Line& line) const;
    bool Encode(std::string_view ansi, std::string& out) const;
    void EncodeLineEnd(std::string& out) const;
    KeySymFileRefusal CheckEncodable(const CKeySymStore& store) const;
    void RenderEdited(const CKeySymStore& store, const std::vector<SetRename>& renames, std::string& out) const;

    std::string m_bytes;
    KeySymFileEncoding m_encoding = KeySymFileEncoding::Ansi;
    size_t m_unit = 1;        // bytes per code unit
    size_t m_bodyBegin = 0;   // past the byte-order mark
    size_t m_bodyEnd = 0;     // before an odd byte that makes no UTF-16 unit
    mutable std::unique_ptr<ProfileSections> m_sections;
    // The lines and what each is, made when first needed: a file the store's own writer wrote
    // is read and written without them.
    mutable bool m_classified = false;
    mutable std::vector<Line> m_lines;
    mutable std::vector<size_t> m_headerLine;   // per section of the reader: its header's line, or npos
    mutable std::vector<bool> m_sectionOwned;
    mutable std::vector<std::string> m_sectionKey;                 // per section: the key the reader finds it by
    mutable std::vector<ProfileSections::Range> m_sectionEntries;  // per section: its lines with a name
    mutable int m_mainSection = -1;
    mutable KeySymFileMeaning m_meaning;
    mutable bool m_unshown = false;
    // Nothing but what the store's own writer writes; until m_plainKnown, as far as counting
    // lines tells (a keysym line shadowed by a later one of its name is not counted).
    mutable bool m_plain = true;
    mutable bool m_plainKnown = false;
};

// Why a save was refused, in the editor's words (strings 40 to 43), for the keysym file `path`.
EditorMessage DescribeSaveRefusal(const KeySymFileRefusal& refusal, const std::string& path);
