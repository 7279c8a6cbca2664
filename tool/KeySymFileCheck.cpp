#include "tool/KeySymFileCheck.h"
#include "resources/resource.h"
#include "store/KeySymStore.h"
#include "store/NameRules.h"
#include "locale/Strings.h"
#include "tool/ToolConsole.h"
#include "tool/ToolTexts.h"
#include "x11/KeySymImport.h"
#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace {
const unsigned long kMaxKeySymValue = 0x1FFFFFFF;

std::string Quoted(std::string_view text)
{
    std::string quoted;
    quoted.reserve(text.size() + 2);
    quoted.push_back('"');
    quoted.append(text);
    quoted.push_back('"');
    return quoted;
}

class Checker {
public:
    explicit Checker(const ProfileSections& file) : m_file(file) {}

    std::vector<KeySymFileFinding> Run()
    {
        const std::vector<ProfileSections::Header> headers = m_file.Headers();
        CheckSetList(headers);
        CheckSections(headers);
        CheckKeySyms();
        std::stable_sort(m_findings.begin(), m_findings.end(),
                         [](const KeySymFileFinding& a, const KeySymFileFinding& b) { return a.line < b.line; });
        return std::move(m_findings);
    }

private:
    void Add(size_t line, std::string text) { m_findings.push_back({line, std::move(text)}); }

    void CheckSetList(const std::vector<ProfileSections::Header>& headers)
    {
        const bool hasSetList = std::any_of(headers.begin(), headers.end(), [](const ProfileSections::Header& h) {
            return h.found && ProfileSections::NameKey(h.name) == kSetListSection;
        });
        if (!hasSetList && headers.size() > 1)
            Add(0, "There is no [main] section: the editor shows none of the sets.");

        std::vector<std::string> listed;
        std::vector<size_t> listedLines;
        for (const ProfileEntry& line : m_file.Find(kSetListSection)) {
            if (!line.hasValue) {
                Add(line.line, "A line without \"=\" in [main] names no set.");
                continue;
            }
            const std::string name(line.name);
            const SetNameCheck check = CheckSetName(listed, name, -1);
            switch (check.verdict) {
            case SetNameVerdict::Blank:
                Add(line.line, ToolMessage(IDS_SET_NAME_BLANK));
                continue;
            case SetNameVerdict::Unstorable:
                Add(line.line, ToolMessage(IDS_SET_NAME_UNSTORABLE, name));
                break;
            case SetNameVerdict::Taken:
                Add(line.line, "The set " + Quoted(name) + " is listed again (first at line " +
                                   std::to_string(listedLines[check.clash]) + " as " + Quoted(listed[check.clash]) +
                                   "): the editor shows it twice, all its keysyms in the second.");
                break;
            case SetNameVerdict::Usable:
                break;
            }
            listed.push_back(name);
            listedLines.push_back(line.line);
            // The reader's own look-up says which section a set's name finds.
            const ProfileSections::Range section = m_file.Find(name);
            if (!section.empty())
                m_listed.insert(section.begin());
        }
        // The editor reads the sets in its own order; of a set listed twice, the section is
        // read once per listing, so once is enough here.
        m_loadOrder = listed;
        CKeySymStore order;
        order.m_setNames = std::move(m_loadOrder);
        order.SortSetNames();
        m_loadOrder = std::move(order.m_setNames);
    }

    void CheckSections(const std::vector<ProfileSections::Header>& headers)
    {
        for (size_t i = 0; i < headers.size(); ++i) {
            const ProfileSections::Header& h = headers[i];
            if (i == 0) {
                if (!h.lines.empty())
                    Add(h.lines.begin()->line, "Lines before the first section belong to no set: the editor does not read them.");
                continue;
            }
            if (!h.found) {
                Add(h.line, "The section [" + std::string(h.name) +
                                "] repeats an earlier section of that name: the editor does not read it.");
                continue;
            }
            // A section without keysyms hides nothing.
            if (!h.lines.empty() && ProfileSections::NameKey(h.name) != kSetListSection && !m_listed.count(h.lines.begin()))
                Add(h.line, "No set in [main] lists the section [" + std::string(h.name) +
                                "]: the editor does not show its keysyms.");
        }
    }

    void CheckKeySyms()
    {
        struct FirstSeen {
            std::string_view set;
            size_t line;
        };
        std::unordered_map<std::string_view, FirstSeen> seen;
        std::unordered_set<const ProfileEntry*> read;
        for (const std::string& set : m_loadOrder) {
            const ProfileSections::Range section = m_file.Find(set);
            if (section.empty() || !read.insert(section.begin()).second)
                continue;
            for (const ProfileEntry& line : section) {
                if (!line.hasValue) {
                    Add(line.line, "A line without \"=\" is no keysym: the editor does not read it.");
                    continue;
                }
                CheckKeySymLine(line);
                auto [it, first] = seen.try_emplace(line.name, FirstSeen{set, line.line});
                if (!first) {
                    Add(line.line, "The keysym " + Quoted(line.name) + " was given before, in the set " +
                                       Quoted(it->second.set) + " at line " + std::to_string(it->second.line) +
                                       ": only this one is kept when the file is read.");
                    it->second = FirstSeen{set, line.line};
                }
            }
        }
    }

    void CheckKeySymLine(const ProfileEntry& line)
    {
        const std::string name(line.name);
        if (name.empty())
            Add(line.line, kTextEmptyName);
        else if (KeySymNameHasBlankOrAt(name))
            Add(line.line, ToolMessage(IDS_KEYSYM_NAME_INVALID, name));
        else if (!IsStorableKeySymName(name))
            Add(line.line, ToolMessage(IDS_KEYSYM_NAME_UNSTORABLE, name));
        else if (CharacterCount(name) > kMaxKeySymNameChars)
            Add(line.line, FormatText(kTextNameTooLong, name, std::to_string(kMaxKeySymNameChars)));

        const std::string_view value = line.value;
        if (!IsKeySymValueText(value))
            Add(line.line, "The keysym " + Quoted(name) + " has the value " + Quoted(value) +
                               ", which is not 1 to 8 hexadecimal digits.");
        else if (std::stoul(std::string(value), nullptr, 16) > kMaxKeySymValue)
            Add(line.line, "The keysym " + Quoted(name) + " has the value " + Quoted(value) +
                               ", more than an X keysym can have (1FFFFFFF).");
    }

    const ProfileSections& m_file;
    std::vector<KeySymFileFinding> m_findings;
    std::unordered_set<const ProfileEntry*> m_listed;   // the first lines of the listed sets' sections
    std::vector<std::string> m_loadOrder;
};
}  // namespace

std::vector<KeySymFileFinding> CheckKeySymFile(const ProfileSections& file)
{
    return Checker(file).Run();
}

std::string FormatFinding(const KeySymFileFinding& finding)
{
    return finding.line ? "line " + std::to_string(finding.line) + ": " + finding.text : finding.text;
}
