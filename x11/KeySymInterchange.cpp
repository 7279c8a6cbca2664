#include "x11/KeySymInterchange.h"

#include "store/WholeFile.h"
#include "store/NameRules.h"
#include "store/KeySymEdits.h"

#include <mbctype.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <new>

namespace {

const size_t kMaxSkipText = 60;
const char kHeaderNamePrefix[] = "XK_";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
bool IsLeadByte(char c) { return _ismbblead(static_cast<unsigned char>(c)) != 0; }

// A line to show as the reason of a skip: up to the first control character, at most
// kMaxSkipText bytes, never ending inside a double-byte character.
std::string SkipText(std::string_view line)
{
    size_t end = 0;
    while (end < line.size()) {
        const unsigned char c = static_cast<unsigned char>(line[end]);
        if (c < 0x20 || c == 0x7F) break;
        const size_t width = IsLeadByte(line[end]) && end + 1 < line.size() ? 2 : 1;
        if (end + width > kMaxSkipText) break;
        end += width;
    }
    return std::string(line.substr(0, end));
}

// A cursor over one line.
struct LineReader {
    std::string_view text;
    size_t pos = 0;

    bool AtEnd() const { return pos >= text.size(); }
    char Peek() const { return AtEnd() ? '\0' : text[pos]; }
    size_t SkipBlanks()
    {
        const size_t start = pos;
        while (!AtEnd() && IsBlank(text[pos])) ++pos;
        return pos - start;
    }
    bool Take(char c)
    {
        if (Peek() != c || AtEnd()) return false;
        ++pos;
        return true;
    }
    bool TakeWord(std::string_view word)
    {
        if (text.substr(pos, word.size()) != word) return false;
        pos += word.size();
        return true;
    }
    std::string_view TakeWhile(bool (*accept)(char))
    {
        const size_t start = pos;
        while (!AtEnd() && accept(text[pos])) ++pos;
        return text.substr(start, pos - start);
    }
    // Only blanks, or a C comment, up to the end of the line.
    bool RestIsBlankOrComment()
    {
        SkipBlanks();
        return AtEnd() || text.substr(pos, 2) == "/*" || text.substr(pos, 2) == "//";
    }
};

// "0x" and hex digits; the digits without leading zeros beyond eight and their number.
bool TakeHexNumber(LineReader& reader, std::string_view& digits)
{
    if (!reader.TakeWord("0x") && !reader.TakeWord("0X")) return false;
    digits = reader.TakeWhile(IsHexDigit);
    return !digits.empty();
}

bool ToNumber(std::string_view digits, uint64_t& number)
{
    if (digits.size() > 16) return false;
    number = 0;
    for (char c : digits) number = number * 16 + static_cast<uint64_t>(c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10);
    return true;
}

std::string HexText(uint64_t number)
{
    static const char kDigits[] = "0123456789ABCDEF";
    std::string text;
    do {
        text.insert(text.begin(), kDigits[number & 0xF]);
        number >>= 4;
    } while (number);
    return text;
}

// Function-like macros "#define NAME(arg) (0x<base> + arg)" a header defined, which
// its keysym lines may use for their values ("_EVDEVK(0x2A0)").
using OffsetMacros = std::map<std::string, uint64_t, std::less<>>;

enum class HeaderLine { Other, KeySym, BadKeySym, OffsetMacro };

// One line read as a C header: a keysym definition, a macro for their values, or other.
HeaderLine ReadHeaderLine(std::string_view line, OffsetMacros& macros, std::string& name, std::string& value)
{
    LineReader r{line};
    r.SkipBlanks();
    if (!r.Take('#')) return HeaderLine::Other;
    r.SkipBlanks();
    if (!r.TakeWord("define") || r.SkipBlanks() == 0) return HeaderLine::Other;
    const std::string_view macro = r.TakeWhile(IsIdentifierChar);
    if (macro.empty()) return HeaderLine::Other;

    if (r.Take('(')) {
        // "NAME(arg) (0x<base> + arg)"
        const std::string_view arg = r.TakeWhile(IsIdentifierChar);
        std::string_view base, used;
        r.SkipBlanks();
        if (arg.empty() || !r.Take(')')) return HeaderLine::Other;
        r.SkipBlanks();
        if (!r.Take('(')) return HeaderLine::Other;
        r.SkipBlanks();
        if (!TakeHexNumber(r, base)) return HeaderLine::Other;
        r.SkipBlanks();
        if (!r.Take('+')) return HeaderLine::Other;
        r.SkipBlanks();
        used = r.TakeWhile(IsIdentifierChar);
        r.SkipBlanks();
        uint64_t number = 0;
        if (used != arg || !r.Take(')') || !r.RestIsBlankOrComment() || !ToNumber(base, number))
            return HeaderLine::Other;
        macros[std::string(macro)] = number;
        return HeaderLine::OffsetMacro;
    }

    const size_t prefixEnd = macro.find(kHeaderNamePrefix);
    if (prefixEnd == std::string_view::npos || r.SkipBlanks() == 0) return HeaderLine::Other;

    std::string_view digits;
    uint64_t number = 0;
    bool exact = true;   // the value is written out, not computed
    if (!TakeHexNumber(r, digits)) {
        const std::string_view user = r.TakeWhile(IsIdentifierChar);
        const auto found = macros.find(user);
        if (found == macros.end() || !r.Take('(')) return HeaderLine::Other;
        r.SkipBlanks();
        if (!TakeHexNumber(r, digits)) return HeaderLine::Other;
        r.SkipBlanks();
        if (!r.Take(')') || !ToNumber(digits, number)) return HeaderLine::Other;
        number += found->second;
        exact = false;
    }
    if (!r.RestIsBlankOrComment()) return HeaderLine::Other;

    // X11 names the keysym by the macro name without "XK_": XF86XK_AudioMute is XF86AudioMute.
    name.assign(macro.substr(0, prefixEnd));
    name.append(macro.substr(prefixEnd + sizeof kHeaderNamePrefix - 1));
    if (exact) {
        if (digits.size() > kMaxKeySymValueDigits) return HeaderLine::BadKeySym;
        value.assign(digits);
    } else {
        if (number > 0xFFFFFFFFull) return HeaderLine::BadKeySym;
        value = HexText(number);
    }
    if (name.empty() || name.size() > kMaxKeySymNameChars) return HeaderLine::BadKeySym;
    return HeaderLine::KeySym;
}

// One line read as an XKeysymDB line: true for "name : value", with `blank` set for a blank
// line or a "!" comment.
bool ReadDatabaseLine(std::string_view line, bool& ignored, std::string& name, std::string& value)
{
    LineReader r{line};
    r.SkipBlanks();
    ignored = r.AtEnd() || r.Peek() == '!';
    if (ignored) return false;
    // The name runs to the first ":" that is a character of its own.
    const size_t nameStart = r.pos;
    size_t nameEnd = nameStart, colon = std::string_view::npos;
    for (size_t i = nameStart; i < line.size(); ++i) {
        if (IsLeadByte(line[i]) && i + 1 < line.size()) {
            ++i;
            nameEnd = i + 1;
        } else if (line[i] == ':') {
            colon = i;
            break;
        } else if (!IsBlank(line[i])) {
            nameEnd = i + 1;
        }
    }
    if (colon == std::string_view::npos || nameEnd == nameStart) return false;
    r.pos = colon + 1;
    r.SkipBlanks();
    const std::string_view digits = r.TakeWhile(IsHexDigit);
    r.SkipBlanks();
    const std::string_view nameText = line.substr(nameStart, nameEnd - nameStart);
    if (!r.AtEnd() || digits.empty() || digits.size() > kMaxKeySymValueDigits ||
        CharacterCount(nameText) > kMaxKeySymNameChars)
        return false;
    name.assign(nameText);
    value.assign(digits);
    return true;
}

template <class Outcome>
void NoteSkip(Outcome& outcome, ImportSkip skip)
{
    if (outcome.skipped == 0 || skip.line < outcome.firstSkip.line) outcome.firstSkip = skip;
    ++outcome.skipped;
    outcome.skips.push_back(std::move(skip));
}

ImportSkip LineSkip(size_t line, std::string_view text)
{
    ImportSkip skip;
    skip.line = line;
    skip.reason = ImportSkipReason::NotKeySymLine;
    skip.text = SkipText(text);
    return skip;
}

}  // namespace

EditorMessage DescribeImportSkip(const ImportSkip& skip)
{
    switch (skip.reason) {
    case ImportSkipReason::NameHasBlankOrAt:
        return DescribeKeySymRefusal(KeySymVerdict::NameHasBlankOrAt, skip.name, {});
    case ImportSkipReason::NameUnstorable:
        return DescribeKeySymRefusal(KeySymVerdict::NameUnstorable, skip.name, {});
    case ImportSkipReason::NameTaken:
        return DescribeKeySymRefusal(KeySymVerdict::NameTaken, skip.name, skip.holder);
    case ImportSkipReason::NotKeySymLine:
        break;
    }
    return {0, skip.text, {}};
}

KeySymLines ParseKeySymLines(std::string_view bytes)
{
    // A file saved with a byte order mark still starts with its first name.
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);

    // Both readings are made in one pass; the file is a header when any line says so.
    KeySymLines header, database;
    header.isHeader = true;
    OffsetMacros macros;
    std::string name, value;
    size_t lineNumber = 0;
    for (size_t start = 0; start < bytes.size() || lineNumber == 0;) {
        size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = bytes.size();
        const std::string_view line = bytes.substr(start, end - start);
        ++lineNumber;
        start = end + (end < bytes.size() && bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n' ? 2 : 1);

        switch (ReadHeaderLine(line, macros, name, value)) {
        case HeaderLine::KeySym:
            header.keySyms.push_back({lineNumber, name, value});
            break;
        case HeaderLine::BadKeySym:
            NoteSkip(header, LineSkip(lineNumber, line));
            break;
        case HeaderLine::Other:
        case HeaderLine::OffsetMacro:
            break;
        }
        bool ignored = false;
        if (ReadDatabaseLine(line, ignored, name, value))
            database.keySyms.push_back({lineNumber, name, value});
        else if (!ignored)
            NoteSkip(database, LineSkip(lineNumber, line));
    }
    return header.keySyms.empty() && header.skipped == 0 ? std::move(database) : std::move(header);
}

ImportResult ImportKeySyms(CKeySymStore& store, int set, std::string_view bytes)
{
    ImportResult result;
    if (!store.HasSet(set)) return result;
    const std::string& setName = store.SetName(set);

    KeySymLines lines = ParseKeySymLines(bytes);
    result.skipped = lines.skipped;
    result.firstSkip = std::move(lines.firstSkip);
    result.skips = std::move(lines.skips);

    // Everything new is gathered aside; the store is touched only by the final merge,
    // which moves nodes and allocates nothing.
    KeySymMap incoming;
    for (KeySymLine& line : lines.keySyms) {
        // The keysym page's own checks, then the file's own repeats.
        const KeySymCheck check = CheckKeySymAdd(store, set, line.name, line.value);
        ImportSkip skip;
        skip.line = line.line;
        switch (check.verdict) {
        case KeySymVerdict::NameHasBlankOrAt:
            skip.reason = ImportSkipReason::NameHasBlankOrAt;
            break;
        case KeySymVerdict::NameUnstorable:
            skip.reason = ImportSkipReason::NameUnstorable;
            break;
        case KeySymVerdict::NameTaken:
            skip.reason = ImportSkipReason::NameTaken;
            skip.holder = store.SetName(check.holder);
            break;
        default:
            if (incoming.count(line.name)) {
                skip.reason = ImportSkipReason::NameTaken;
                skip.holder = setName;
                break;
            }
            incoming.emplace(std::move(line.name), std::make_unique<CKeySymEntry>(std::move(line.value), set));
            continue;
        }
        skip.name = std::move(line.name);
        NoteSkip(result, std::move(skip));
    }
    std::stable_sort(result.skips.begin(), result.skips.end(),
                     [](const ImportSkip& a, const ImportSkip& b) { return a.line < b.line; });
    result.imported = incoming.size();
    store.m_keySyms.merge(incoming);
    return result;
}

bool ReadImportFile(const std::string& path, std::string& bytes)
{
    bool ok = false;
    try {
        ok = ReadWholeFile(path, bytes, bytes.max_size()) == WholeFileRead::Done;
    } catch (const std::bad_alloc&) {
        // Too large to hold: it cannot be read.
    }
    if (!ok) std::string().swap(bytes);
    return ok;
}

std::string FormatKeySymExport(const CKeySymStore& store, int set)
{
    std::string out = "! Keysyms of the set ";
    out += store.SetName(set);
    out += "\r\n";
    for (const auto& [name, entry] : store.m_keySyms) {
        if (entry->m_nSet != set) continue;
        out += name;
        out += "\t:";
        // Letters folded one character at a time: a trail byte can be a letter.
        const std::string& value = entry->m_strValue;
        for (size_t i = 0; i < value.size(); ++i) {
            if (IsLeadByte(value[i]) && i + 1 < value.size()) {
                out.append(value, i, 2);
                ++i;
            } else {
                out += value[i] >= 'a' && value[i] <= 'z' ? static_cast<char>(value[i] - 'a' + 'A') : value[i];
            }
        }
        out += "\r\n";
    }
    return out;
}

bool ExportKeySyms(const CKeySymStore& store, int set, const std::string& path, KeySymFileOps* ops)
{
    try {
        const std::string bytes = FormatKeySymExport(store, set);
        // The temporary file goes beside the target, so that replacing it is one rename.
        size_t separator = std::string::npos;
        for (size_t i = 0; i < path.size(); ++i) {
            if (IsLeadByte(path[i]) && i + 1 < path.size()) ++i;
            else if (path[i] == '\\' || path[i] == '/' || path[i] == ':') separator = i;
        }
        std::string folder = separator == std::string::npos ? std::string(".") : path.substr(0, separator + 1);
        KeySymFileOps system;
        return WriteFileReplacing(folder, path, bytes, ops ? *ops : system) != FALSE;
    } catch (...) {
        return false;
    }
}
