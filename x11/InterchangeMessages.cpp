#include "x11/InterchangeMessages.h"

#include "resources/resource.h"
#include "store/NameRules.h"

#include <mbctype.h>

namespace {

// A message box or a line of standard error holds a readable list, not a hundred thousand names.
const size_t kMaxListedNames = 10;

std::string NameList(const std::vector<std::string>& names)
{
    std::string list;
    for (size_t i = 0; i < names.size() && i < kMaxListedNames; ++i) {
        if (i) list += ", ";
        list += EscapeControls(names[i]);
    }
    if (names.size() > kMaxListedNames) list += ", ...";
    return list;
}

// The singular text for one, the plural for any other number: all seven languages make it so.
std::string Counted(size_t count, unsigned one, unsigned many, const std::string& arg2, const std::string& arg3,
                    const StringFormatter& format)
{
    return format(count == 1 ? one : many, std::to_string(count), arg2, arg3);
}

}  // namespace

std::string EscapeControls(std::string_view text)
{
    static const char kDigits[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (_ismbblead(c) && i + 1 < text.size()) {
            out.append(text.substr(i++, 2));
        } else if (c < 0x20 || c == 0x7F) {
            out.append("\\x").append(1, kDigits[c >> 4]).append(1, kDigits[c & 0xF]);
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

std::string DescribeImportSkip(const ImportSkip& skip, const StringFormatter& format)
{
    const std::string name = EscapeControls(skip.name);
    switch (skip.reason) {
    case ImportSkipReason::NotKeySymLine:
        return format(IDS_SKIP_NOT_KEYSYM_LINE, EscapeControls(skip.text), {}, {});
    case ImportSkipReason::NameTooLong:
        return format(IDS_SKIP_NAME_TOO_LONG, name, std::to_string(kMaxKeySymNameChars), {});
    case ImportSkipReason::ValueTooLarge:
        return format(IDS_SKIP_VALUE_TOO_LARGE, name, EscapeControls(skip.text), {});
    case ImportSkipReason::ValueUnreadable:
        return format(IDS_SKIP_VALUE_UNREADABLE, name, EscapeControls(skip.text), {});
    case ImportSkipReason::NameNotInCodePage:
        return format(IDS_SKIP_NAME_NOT_IN_CODE_PAGE, name, {}, {});
    case ImportSkipReason::NameHasBlankOrAt:
        return format(IDS_KEYSYM_NAME_INVALID, name, {}, {});
    case ImportSkipReason::NameUnstorable:
        return format(IDS_KEYSYM_NAME_UNSTORABLE, name, {}, {});
    case ImportSkipReason::NameTaken:
        return format(IDS_KEYSYM_NAME_USED, name, EscapeControls(skip.holder), {});
    }
    return {};
}

std::string ImportedText(size_t imported, const std::string& setName, const StringFormatter& format)
{
    return Counted(imported, IDS_IMPORTED_ONE, IDS_IMPORTED, setName, {}, format);
}

std::string SkippedText(const ImportResult& result, const StringFormatter& format)
{
    if (result.skipped == 0) return {};
    return Counted(result.skipped, IDS_IMPORT_SKIPPED_ONE, IDS_IMPORT_SKIPPED, std::to_string(result.firstSkip.line),
                   DescribeImportSkip(result.firstSkip, format), format);
}

std::string UnusableText(const std::vector<std::string>& names, const StringFormatter& format)
{
    if (names.empty()) return {};
    return Counted(names.size(), IDS_UNUSABLE_VALUE_ONE, IDS_UNUSABLE_VALUE_MANY, NameList(names), {}, format);
}

std::string LeftOutText(const std::vector<std::string>& names, const StringFormatter& format)
{
    if (names.empty()) return {};
    return Counted(names.size(), IDS_EXPORT_LEFT_OUT_ONE, IDS_EXPORT_LEFT_OUT_MANY, NameList(names), {}, format);
}
