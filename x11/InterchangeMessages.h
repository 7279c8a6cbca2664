#pragma once
// The editor's words for what an import or export did, shared by the set page and
// keysymtool: each passes its own way of loading and formatting a string (%1 to %3).
#include "x11/KeySymImport.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

using StringFormatter =
    std::function<std::string(unsigned id, const std::string& arg1, const std::string& arg2, const std::string& arg3)>;

// `text` with every control character (NUL included) written as "\xNN", so that it can
// neither cut a message short nor break its lines.
std::string EscapeControls(std::string_view text);

// Why a line was not imported, in the words the keysym page uses for the same refusal.
std::string DescribeImportSkip(const ImportSkip& skip, const StringFormatter& format);

// "Imported 1 keysym" / "Imported 3 keysyms" into `setName`.
std::string ImportedText(size_t imported, const std::string& setName, const StringFormatter& format);
// "Skipped 1 line" / "Skipped 3 lines", with the first of them and its reason; empty when none.
std::string SkippedText(const ImportResult& result, const StringFormatter& format);
// The imported keysyms whose value X cannot use, by name; empty when none.
std::string UnusableText(const std::vector<std::string>& names, const StringFormatter& format);
// The keysyms an export left out, by name; empty when none.
std::string LeftOutText(const std::vector<std::string>& names, const StringFormatter& format);
