#include "x11/KeySymFormats.h"

#include "store/NameRules.h"

#include <windows.h>
#include <mbctype.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <map>
#include <unordered_map>

namespace {

// The text of an import file in the ANSI code page: UTF-16 with a byte order mark, and
// UTF-8 that is valid and not plain ASCII (with or without a mark), are converted into
// `converted`; anything else is the file's own bytes from `start` on (past a UTF-8 mark).
// `lossyLines` lists, ascending, the lines (from 1) holding a character the code page
// lacks, written "?".
struct ImportText {
    bool isConverted = false;
    size_t start = 0;
    std::string converted;
    std::vector<size_t> lossyLines;
};

const size_t kMaxSkipText = 60;
const char kHeaderNamePrefix[] = "XK_";
const uint64_t kMaxValue = 0xFFFFFFFFull;
const int kMaxNesting = 32;   // parentheses in one value; deeper is not read

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsHexDigit(char c) { return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
// Lead bytes are never ASCII: most text never asks the code page.
bool IsLeadByte(char c) { return static_cast<unsigned char>(c) >= 0x80 && _ismbblead(static_cast<unsigned char>(c)) != 0; }
int HexValue(char c) { return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10; }

// Bytes of the character at `i`: a lead byte and its trail byte are one.
size_t CharWidth(std::string_view text, size_t i) { return IsLeadByte(text[i]) && i + 1 < text.size() ? 2 : 1; }

// A line to show as the reason of a skip: at most kMaxSkipText bytes, never ending inside a
// double-byte character. Control characters stay; whoever words it shows them escaped.
std::string SkipText(std::string_view line)
{
    size_t end = 0;
    while (end < line.size()) {
        const size_t width = CharWidth(line, end);
        if (end + width > kMaxSkipText) break;
        end += width;
    }
    return std::string(line.substr(0, end));
}

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// Hex digits as written, leading zeros beyond eight digits dropped.
std::string_view FitDigits(std::string_view digits)
{
    while (digits.size() > kMaxKeySymValueDigits && digits.front() == '0') digits.remove_prefix(1);
    return digits;
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

// ---- decoding ---------------------------------------------------------------

bool IsAscii(std::string_view bytes)
{
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

// `wide` in the ANSI code page line by line, so that a line with a character the code page
// lacks is known.
ImportText ToAnsi(std::wstring_view wide)
{
    ImportText out;
    out.isConverted = true;
    out.converted.reserve(wide.size());
    const UINT codePage = GetACP();
    const bool noDefault = codePage == CP_UTF8;   // UTF-8 carries every character
    size_t line = 1;
    std::string piece;
    for (size_t start = 0; start <= wide.size();) {
        size_t end = start;
        while (end < wide.size() && wide[end] != L'\r' && wide[end] != L'\n') ++end;
        if (end > start) {
            const wchar_t* from = wide.data() + start;
            const int length = static_cast<int>(end - start);
            BOOL lossy = FALSE;
            const DWORD flags = noDefault ? 0 : WC_NO_BEST_FIT_CHARS;
            const int bytes = WideCharToMultiByte(codePage, flags, from, length, nullptr, 0, nullptr, nullptr);
            piece.resize(static_cast<size_t>(bytes));
            WideCharToMultiByte(codePage, flags, from, length, piece.data(), bytes, noDefault ? nullptr : "?",
                                noDefault ? nullptr : &lossy);
            out.converted += piece;
            if (lossy) out.lossyLines.push_back(line);
        }
        if (end >= wide.size()) break;
        // The line ends exactly as the parser counts them.
        const bool pair = wide[end] == L'\r' && end + 1 < wide.size() && wide[end + 1] == L'\n';
        out.converted += pair ? "\r\n" : std::string(1, static_cast<char>(wide[end]));
        start = end + (pair ? 2 : 1);
        ++line;
    }
    return out;
}

// ---- C headers ---------------------------------------------------------------

// A cursor over one line.
struct LineReader {
    std::string_view text;
    size_t pos = 0;
    bool lossy = false;   // "?" stands for a character the code page lacks

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
        if (AtEnd() || text[pos] != c) return false;
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
    // A C identifier; as compilers do, any character beyond ASCII counts as a letter.
    std::string_view TakeIdentifier()
    {
        const size_t start = pos;
        while (!AtEnd() && (IsIdentifierChar(text[pos]) || static_cast<unsigned char>(text[pos]) >= 0x80 ||
                            (lossy && text[pos] == '?')))
            pos += CharWidth(text, pos);
        pos = std::min(pos, text.size());
        return text.substr(start, pos - start);
    }
};

enum class ValueRead { Number, TooLarge, Unreadable };

struct HeaderValue {
    ValueRead read = ValueRead::Unreadable;
    uint64_t number = 0;
    std::string_view hexDigits;   // the value is this one hex literal: its digits as written
};

// What C has been told so far: function-like macros "NAME(arg) (<literal> + arg)" and
// object-like macros with a value. Keysym definitions are looked up through `keySymIndex`,
// made only when a value first names another macro.
struct HeaderDefines {
    std::map<std::string, uint64_t, std::less<>> offsetMacros;
    std::unordered_map<std::string, uint64_t> others;
    bool indexed = false;
    std::unordered_map<std::string, uint64_t> keySymIndex;
};

// A C integer literal: hex, octal or decimal, with U, L, UL, LL suffixes.
ValueRead TakeLiteral(LineReader& r, uint64_t& number, std::string_view& hexDigits)
{
    hexDigits = {};
    if (!IsDigit(r.Peek())) return ValueRead::Unreadable;
    number = 0;
    bool tooLarge = false;
    if (r.TakeWord("0x") || r.TakeWord("0X")) {
        const std::string_view digits = r.TakeWhile(IsHexDigit);
        if (digits.empty()) return ValueRead::Unreadable;
        for (char c : digits) {
            if (number > (std::numeric_limits<uint64_t>::max() >> 4)) tooLarge = true;
            number = (number << 4) | static_cast<uint64_t>(HexValue(c));
        }
        hexDigits = digits;
    } else {
        const unsigned base = r.Peek() == '0' ? 8 : 10;
        const std::string_view digits = r.TakeWhile(IsDigit);
        for (char c : digits) {
            if (static_cast<unsigned>(c - '0') >= base) return ValueRead::Unreadable;
            if (number > std::numeric_limits<uint64_t>::max() / 16) tooLarge = true;
            number = number * base + static_cast<uint64_t>(c - '0');
        }
    }
    // U and up to two L's, in either order.
    int us = 0, ls = 0;
    while (!r.AtEnd() && (r.Peek() == 'u' || r.Peek() == 'U' || r.Peek() == 'l' || r.Peek() == 'L')) {
        (r.Peek() == 'u' || r.Peek() == 'U' ? us : ls) += 1;
        ++r.pos;
    }
    if (us > 1 || ls > 2 || IsIdentifierChar(r.Peek())) return ValueRead::Unreadable;
    return tooLarge ? ValueRead::TooLarge : ValueRead::Number;
}

HeaderValue ReadValue(LineReader& r, HeaderDefines& defines, const KeySymLines& lines,
                      const std::vector<size_t>& prefixes, int depth);

// The value of the macro `name` defined before, if any.
bool LookUpDefine(std::string_view name, HeaderDefines& defines, const KeySymLines& lines,
                  const std::vector<size_t>& prefixes, uint64_t& number)
{
    if (!defines.indexed) {
        // Made once, on the first value that names a macro: plain headers never pay for it.
        for (size_t i = 0; i < lines.keySyms.size(); ++i) {
            const std::string& keySym = lines.keySyms[i].name;
            std::string macro = keySym.substr(0, prefixes[i]) + kHeaderNamePrefix + keySym.substr(prefixes[i]);
            uint64_t value = 0;
            for (char c : lines.keySyms[i].value) value = (value << 4) | static_cast<uint64_t>(HexValue(c));
            defines.keySymIndex.emplace(std::move(macro), value);
        }
        defines.indexed = true;
    }
    const std::string key(name);
    if (auto found = defines.keySymIndex.find(key); found != defines.keySymIndex.end()) {
        number = found->second;
        return true;
    }
    if (auto found = defines.others.find(key); found != defines.others.end()) {
        number = found->second;
        return true;
    }
    return false;
}

HeaderValue ReadValue(LineReader& r, HeaderDefines& defines, const KeySymLines& lines,
                      const std::vector<size_t>& prefixes, int depth)
{
    HeaderValue value;
    r.SkipBlanks();
    if (depth > kMaxNesting) return value;
    if (r.Take('(')) {
        value = ReadValue(r, defines, lines, prefixes, depth + 1);
        r.SkipBlanks();
        if (value.read != ValueRead::Unreadable && !r.Take(')')) value = HeaderValue();
        return value;
    }
    if (IsDigit(r.Peek())) {
        value.read = TakeLiteral(r, value.number, value.hexDigits);
        return value;
    }
    const std::string_view name = r.TakeIdentifier();
    if (name.empty()) return value;
    r.SkipBlanks();
    if (r.Take('(')) {
        // A value made with a function-like macro the file defined: "_EVDEVK(0x2B0)".
        const auto macro = defines.offsetMacros.find(name);
        if (macro == defines.offsetMacros.end()) return value;
        value = ReadValue(r, defines, lines, prefixes, depth + 1);
        r.SkipBlanks();
        if (value.read == ValueRead::Unreadable || !r.Take(')')) return HeaderValue();
        value.hexDigits = {};
        value.number += macro->second;
        if (value.number < macro->second) value.read = ValueRead::TooLarge;
        return value;
    }
    if (LookUpDefine(name, defines, lines, prefixes, value.number)) value.read = ValueRead::Number;
    return value;
}

// Where the reader is in the file's conditional blocks: only "#if 0" and "#if 1" are known;
// any other condition may hold, so both of its branches are read.
enum class Branch : unsigned char { Taken, NotTaken, Unknown };

// A line not imported, counted and kept in file order.
void NoteSkip(KeySymLines& lines, ImportSkip skip)
{
    if (lines.skipped++ == 0) lines.firstSkip = skip;
    lines.skips.push_back(std::move(skip));
}

struct HeaderReader {
    KeySymLines lines;
    std::vector<size_t> prefixes;   // per keysym: where "XK_" stood in its macro name
    HeaderDefines defines;
    std::vector<Branch> branches;
    size_t notTaken = 0;            // branches that are NotTaken
    bool inComment = false;
    std::string code;

    // The line without its comments; `line` itself when it has none.
    std::string_view Code(std::string_view line)
    {
        if (!inComment && std::memchr(line.data(), '/', line.size()) == nullptr) return line;
        code.clear();
        for (size_t i = 0; i < line.size();) {
            if (inComment) {
                const size_t end = line.find("*/", i);
                if (end == std::string_view::npos) return code;
                inComment = false;
                code += ' ';
                i = end + 2;
                continue;
            }
            size_t slash = line.find('/', i);
            while (slash != std::string_view::npos && slash + 1 < line.size() && line[slash + 1] != '*' &&
                   line[slash + 1] != '/')
                slash = line.find('/', slash + 1);
            if (slash == std::string_view::npos || slash + 1 >= line.size()) {
                code.append(line.substr(i));
                break;
            }
            code.append(line.substr(i, slash - i));
            if (line[slash + 1] == '/') break;
            inComment = true;
            i = slash + 2;
        }
        return code;
    }

    void SetBranch(Branch now)
    {
        notTaken += (now == Branch::NotTaken) - (branches.back() == Branch::NotTaken);
        branches.back() = now;
    }

    void Directive(std::string_view word, std::string_view rest)
    {
        if (word == "if" || word == "ifdef" || word == "ifndef") {
            const std::string_view condition = Trim(rest);
            const Branch branch = word != "if" ? Branch::Unknown
                                  : condition == "0" ? Branch::NotTaken
                                  : condition == "1" ? Branch::Taken : Branch::Unknown;
            branches.push_back(branch);
            notTaken += branch == Branch::NotTaken;
        } else if (branches.empty()) {
            return;
        } else if (word == "elif") {
            SetBranch(branches.back() == Branch::Taken ? Branch::NotTaken : Branch::Unknown);
        } else if (word == "else") {
            const Branch now = branches.back();
            SetBranch(now == Branch::Taken ? Branch::NotTaken : now == Branch::NotTaken ? Branch::Taken : Branch::Unknown);
        } else if (word == "endif") {
            notTaken -= branches.back() == Branch::NotTaken;
            branches.pop_back();
        }
    }

    void Line(size_t number, std::string_view line, bool lossy)
    {
        LineReader r{Code(line), 0, lossy};
        r.SkipBlanks();
        if (!r.Take('#')) return;
        r.SkipBlanks();
        const std::string_view word = r.TakeWhile(IsIdentifierChar);
        if (word != "define") {
            Directive(word, r.text.substr(r.pos));
            return;
        }
        if (notTaken > 0 || r.SkipBlanks() == 0) return;
        const std::string_view macro = r.TakeIdentifier();
        if (macro.empty()) return;

        if (r.Take('(')) {
            // "NAME(arg) (<literal> + arg)"
            r.SkipBlanks();
            const std::string_view arg = r.TakeWhile(IsIdentifierChar);
            r.SkipBlanks();
            if (arg.empty() || !r.Take(')')) return;
            r.SkipBlanks();
            if (!r.Take('(')) return;
            r.SkipBlanks();
            uint64_t base = 0;
            std::string_view digits;
            if (TakeLiteral(r, base, digits) != ValueRead::Number) return;
            r.SkipBlanks();
            if (!r.Take('+')) return;
            r.SkipBlanks();
            const std::string_view used = r.TakeWhile(IsIdentifierChar);
            r.SkipBlanks();
            if (used != arg || !r.Take(')')) return;
            r.SkipBlanks();
            if (r.AtEnd()) defines.offsetMacros[std::string(macro)] = base;
            return;
        }

        size_t prefixEnd = std::string_view::npos;
        for (size_t i = 0; i < macro.size() && prefixEnd == std::string_view::npos; i += CharWidth(macro, i))
            if (macro.compare(i, sizeof kHeaderNamePrefix - 1, kHeaderNamePrefix) == 0) prefixEnd = i;
        r.SkipBlanks();
        if (r.AtEnd()) return;   // a macro with no value ("#define XK_LATIN1") names no keysym
        const size_t valueStart = r.pos;
        HeaderValue value = ReadValue(r, defines, lines, prefixes, 0);
        r.SkipBlanks();
        if (!r.AtEnd()) value = HeaderValue();
        if (prefixEnd == std::string_view::npos) {
            if (value.read == ValueRead::Number) defines.others[std::string(macro)] = value.number;
            return;
        }

        // X11 names the keysym by the macro name without "XK_": XF86XK_AudioMute is XF86AudioMute.
        ImportSkip skip;
        skip.line = number;
        skip.name.assign(macro.substr(0, prefixEnd));
        skip.name.append(macro.substr(prefixEnd + sizeof kHeaderNamePrefix - 1));
        if (value.read == ValueRead::Number && value.number > kMaxValue) value.read = ValueRead::TooLarge;
        if (value.read != ValueRead::Number) {
            skip.reason = value.read == ValueRead::TooLarge ? ImportSkipReason::ValueTooLarge : ImportSkipReason::ValueUnreadable;
            skip.text = SkipText(Trim(r.text.substr(valueStart)));
        } else if (skip.name.empty() || CharacterCount(skip.name) > kMaxKeySymNameChars) {
            skip.reason = ImportSkipReason::NameTooLong;
        } else if (lossy && skip.name.find('?') != std::string::npos) {
            skip.reason = ImportSkipReason::NameNotInCodePage;
        } else {
            const std::string_view digits = FitDigits(value.hexDigits);
            KeySymLine keySym{number, std::move(skip.name),
                              !digits.empty() && digits.size() <= kMaxKeySymValueDigits ? std::string(digits)
                                                                                         : HexText(value.number)};
            if (defines.indexed) {
                const std::string macroName(macro);
                defines.keySymIndex[macroName] = value.number;
            }
            lines.keySyms.push_back(std::move(keySym));
            prefixes.push_back(prefixEnd);
            return;
        }
        NoteSkip(lines, std::move(skip));
    }
};

// ---- XKeysymDB files -----------------------------------------------------------

struct DatabaseReader {
    KeySymLines lines;

    void Line(size_t number, std::string_view line, bool lossy)
    {
        LineReader r{line};
        r.SkipBlanks();
        if (r.AtEnd() || r.Peek() == '!') return;
        // The name runs to the first ":" that is a character of its own.
        const size_t nameStart = r.pos;
        size_t nameEnd = nameStart, colon = std::string_view::npos;
        for (size_t i = nameStart; i < line.size(); i += CharWidth(line, i)) {
            if (line[i] == ':') {
                colon = i;
                break;
            }
            if (!IsBlank(line[i])) nameEnd = i + CharWidth(line, i);
        }
        ImportSkip skip;
        skip.line = number;
        std::string_view digits;
        if (colon != std::string_view::npos && nameEnd > nameStart) {
            r.pos = colon + 1;
            r.SkipBlanks();
            digits = r.TakeWhile(IsHexDigit);
            r.SkipBlanks();
        }
        if (digits.empty() || !r.AtEnd()) {
            skip.text = SkipText(line);
            NoteSkip(lines, std::move(skip));
            return;
        }
        skip.name.assign(line.substr(nameStart, nameEnd - nameStart));
        digits = FitDigits(digits);
        if (digits.size() > kMaxKeySymValueDigits) {
            skip.reason = ImportSkipReason::ValueTooLarge;
            skip.text.assign(digits);
        } else if (CharacterCount(skip.name) > kMaxKeySymNameChars) {
            skip.reason = ImportSkipReason::NameTooLong;
        } else if (lossy && skip.name.find('?') != std::string::npos) {
            skip.reason = ImportSkipReason::NameNotInCodePage;
        } else {
            lines.keySyms.push_back({number, std::move(skip.name), std::string(digits)});
            return;
        }
        NoteSkip(lines, std::move(skip));
    }
};

// ---- export ----------------------------------------------------------------

// Whether Xlib reads `name` back from an XKeysymDB line: "!" begins a comment, "#" a
// directive, ":" ends the name, and "." and "*" bind resource components.
bool XKeysymDbCarries(std::string_view name)
{
    if (name.empty() || name.front() == '!' || name.front() == '#') return false;
    for (size_t i = 0; i < name.size(); i += CharWidth(name, i))
        if (name[i] == ':' || name[i] == '.' || name[i] == '*') return false;
    return true;
}

bool IsCIdentifier(std::string_view name)
{
    if (name.empty() || IsDigit(name.front())) return false;
    return std::all_of(name.begin(), name.end(), IsIdentifierChar);
}

ImportText DecodeImportText(std::string_view bytes)
{
    std::wstring wide;
    if (bytes.size() >= 2 && (bytes.substr(0, 2) == "\xFF\xFE" || bytes.substr(0, 2) == "\xFE\xFF")) {
        const bool little = bytes[0] == '\xFF';
        wide.resize((bytes.size() - 2) / 2);
        for (size_t i = 0; i < wide.size(); ++i) {
            const auto a = static_cast<unsigned char>(bytes[2 + 2 * i]), b = static_cast<unsigned char>(bytes[3 + 2 * i]);
            wide[i] = static_cast<wchar_t>(little ? a | (b << 8) : (a << 8) | b);
        }
        return ToAnsi(wide);
    }
    ImportText plain;
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
        bytes.remove_prefix(3);
        plain.start = 3;
    }
    if (!IsAscii(bytes) && GetACP() != CP_UTF8 && bytes.size() < static_cast<size_t>(INT_MAX)) {
        const int length = static_cast<int>(bytes.size());
        const int count = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), length, nullptr, 0);
        if (count > 0) {
            wide.resize(static_cast<size_t>(count));
            MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), length, wide.data(), count);
            return ToAnsi(wide);
        }
    }
    return plain;
}

}  // namespace

KeySymLines ParseKeySymLines(std::string_view bytes)
{
    const ImportText decoded = DecodeImportText(bytes);
    const std::string_view text = decoded.isConverted ? std::string_view(decoded.converted) : bytes.substr(decoded.start);
    auto lossy = decoded.lossyLines.begin();

    // Both readings are made in one pass; the file is a header when any line says so.
    HeaderReader header;
    header.lines.isHeader = true;
    DatabaseReader database;
    size_t lineNumber = 0;
    for (size_t start = 0; start < text.size() || lineNumber == 0;) {
        size_t end = start;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
        const std::string_view line = text.substr(start, end - start);
        ++lineNumber;
        start = end + (end < text.size() && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
        while (lossy != decoded.lossyLines.end() && *lossy < lineNumber) ++lossy;
        const bool lineLossy = lossy != decoded.lossyLines.end() && *lossy == lineNumber;
        header.Line(lineNumber, line, lineLossy);
        database.Line(lineNumber, line, lineLossy);
    }
    return header.lines.keySyms.empty() && header.lines.skipped == 0 ? std::move(database.lines) : std::move(header.lines);
}

bool HoldsKeySymLine(const KeySymLines& lines)
{
    return !lines.keySyms.empty() || std::any_of(lines.skips.begin(), lines.skips.end(), [](const ImportSkip& skip) {
        return skip.reason != ImportSkipReason::NotKeySymLine;
    });
}

bool KeySymValueNumber(std::string_view value, uint32_t& number)
{
    if (!IsKeySymValueText(value)) return false;
    number = 0;
    for (char c : value) number = (number << 4) | static_cast<uint32_t>(HexValue(c));
    return true;
}

bool IsUnusableKeySymValue(std::string_view value)
{
    uint32_t number = 0;
    return KeySymValueNumber(value, number) && (number == 0 || number > kMaxKeySym);
}

ExportText FormatKeySymExport(const CKeySymStore& store, int set, ExportFormat format)
{
    ExportText out;
    const bool header = format == ExportFormat::CHeader;
    std::string setName = store.SetName(set);
    if (header) {
        // A "*/" in the set's name would end the comment early.
        for (size_t at = setName.find("*/"); at != std::string::npos; at = setName.find("*/", at)) setName.insert(at + 1, 1, ' ');
        out.text.append("/* Keysyms of the set ").append(setName).append(" */\n");
    } else {
        out.text.append("! Keysyms of the set ").append(setName).append("\n");
    }
    for (const auto& [name, entry] : store.m_keySyms) {
        if (entry->m_nSet != set) continue;
        const std::string& value = entry->m_strValue;
        if (!IsKeySymValueText(value) || !(header ? IsCIdentifier(name) : XKeysymDbCarries(name))) {
            out.leftOut.push_back(name);
            continue;
        }
        if (header) out.text.append("#define XK_").append(name).append(" 0x");
        else out.text.append(name).append("\t:");
        for (char c : value) out.text += c >= 'a' && c <= 'f' ? static_cast<char>(c - 'a' + 'A') : c;
        out.text += '\n';
        ++out.written;
    }
    return out;
}
