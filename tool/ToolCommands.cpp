#include "tool/ToolCommands.h"
#include "frame/Product.h"
#include "locale/Strings.h"
#include "resources/resource.h"
#include "store/KeySymEdits.h"
#include "store/SetEdits.h"
#include "store/KeySymFileLines.h"
#include "store/KeySymSearch.h"
#include "store/NameRules.h"
#include "store/ProfileSections.h"
#include "store/WholeFile.h"
#include "tool/KeySymFileCheck.h"
#include "tool/ToolTexts.h"
#include "tool/UserKeySymFile.h"
#include "x11/InterchangeMessages.h"
#include "x11/KeySymImport.h"
#include <algorithm>
#include <cstring>
#include <new>

namespace {

// Skipped lines and left-out names listed before the summary, unless --verbose.
const size_t kListedLines = 10;

// One run of the tool over one keysym file.
class ToolSession {
public:
    ToolSession(const ToolRequest& request, ToolStream& out, ToolStream& err)
        : m_request(request), m_out(out), m_err(err)
    {
    }

    int Run()
    {
        const std::string& command = m_request.command;
        const std::vector<std::string>& args = m_request.operands;
        if (const int status = Locate(); status != kToolDone)
            return status;
        if (command == "check")
            return Check();
        if (const int status = Load(); status != kToolDone)
            return status;
        if (command == "list")
            return args.empty() ? ListSets() : ListKeySyms(args[0]);
        if (command == "find")
            return Find(args[0]);
        if (command == "export")
            return Export(args[0], args[1]);

        int status = kToolRefused;
        if (command == "add")
            status = AddKeySym(args[0], args[1], args[2]);
        else if (command == "edit")
            status = EditKeySym(args[0], args[1]);
        else if (command == "remove")
            status = RemoveKeySym(args[0]);
        else if (command == "add-set")
            status = AddSetNamed(args[0]);
        else if (command == "rename-set")
            status = RenameSetNamed(args[0], args[1]);
        else if (command == "remove-set")
            status = RemoveSetNamed(args[0]);
        else if (command == "import")
            status = Import(args[0], args[1]);
        if (status != kToolDone || !m_store.m_bChanged)
            return status;
        return Save();
    }

private:
    int Refuse(const std::string& message)
    {
        m_err.Line(message);
        return kToolRefused;
    }

    int Locate()
    {
        if (!m_request.file.empty()) {
            if (LocateNamedKeySymFile(m_request.file, m_location))
                return kToolDone;
            m_err.Line(ToolMessage(IDS_READ_FAILED, m_request.file));
            return kToolFileFailed;
        }
        if (LocateUserKeySymFile(m_location))
            return kToolDone;
        m_err.Line(FormatText(kTextNoUserDirectory, m_location.folder));
        return kToolFileFailed;
    }

    int Load()
    {
        m_store.m_strUserDir = m_location.folder;
        m_store.m_strKeySymFile = m_location.path;
        m_store.LoadKeySymFile(m_location.path);
        if (m_store.m_bFileUnshown)
            m_err.Line(ToolMessage(IDS_FILE_NAMES_NOT_SHOWN, m_location.path));
        if (!m_store.m_bFileUnread)
            return kToolDone;
        m_err.Line(ToolMessage(IDS_READ_FAILED, m_location.path));
        return kToolFileFailed;
    }

    // The editor's save, refused when another program changed the file since it was read.
    int Save()
    {
        switch (m_store.SaveKeySymFile(false)) {
        case KeySymSave::Saved:
            // Running programs reload the keysyms, as after the editor's unload.
            BroadcastChange(RegisterChangeMessage());
            return kToolDone;
        case KeySymSave::ChangedOnDisk:
            m_err.Line(ToolMessage(IDS_FILE_CHANGED, m_location.path));
            return kToolFileFailed;
        case KeySymSave::Refused: {
            const EditorMessage refusal = DescribeSaveRefusal(m_store.m_saveRefusal, m_location.path);
            return Refuse(ToolMessage(refusal.stringId, refusal.arg1, refusal.arg2));
        }
        default:
            m_err.Line(ToolMessage(IDS_SAVE_FAILED, m_location.path));
            return kToolFileFailed;
        }
    }

    void MarkChanged() { m_store.m_bModified = m_store.m_bChanged = TRUE; }

    // The set named `typed`, trimmed as the set page trims names, letter case aside; -1
    // (and the message said) when there is none.
    int FindSet(const std::string& typed)
    {
        const std::string name = TrimSetName(typed);
        const int set = FindSetName(m_store.m_setNames, name);
        if (set < 0)
            m_err.Line(FormatText(kTextNoSet, name));
        return set;
    }

    const std::string& SetName(int set) const { return m_store.SetName(set); }

    // Says why the store refused an edit of keysym `name`.
    int Refuse(const KeySymCheck& check, const std::string& name)
    {
        if (check.verdict == KeySymVerdict::NoKeySym)
            return Refuse(FormatText(kTextNoKeySym, name));
        const EditorMessage refusal = DescribeKeySymRefusal(m_store, check, name);
        return Refuse(refusal.stringId ? ToolMessage(refusal.stringId, refusal.arg1, refusal.arg2)
                                       : FormatText(kTextEmptyName));
    }

    // The keysym dialog's limits, which its fields enforce; the store's checks follow.
    int CheckFields(const std::string& name, const std::string& value)
    {
        if (name.empty())
            return Refuse(kTextEmptyName);
        if (CharacterCount(name) > kMaxKeySymNameChars)
            return Refuse(FormatText(kTextNameTooLong, name, std::to_string(kMaxKeySymNameChars)));
        if (!IsKeySymValueText(value))
            return Refuse(FormatText(kTextBadValue, value));
        return kToolDone;
    }

    int ListSets()
    {
        std::vector<size_t> counts(m_store.m_setNames.size());
        for (const auto& [name, entry] : m_store.m_keySyms)
            if (entry->m_nSet >= 0 && static_cast<size_t>(entry->m_nSet) < counts.size())
                ++counts[entry->m_nSet];
        for (size_t i = 0; i < counts.size(); ++i)
            m_out.Line(m_store.m_setNames[i] + '\t' + std::to_string(counts[i]));
        return kToolDone;
    }

    int ListKeySyms(const std::string& setName)
    {
        const int set = FindSet(setName);
        if (set < 0)
            return kToolRefused;
        for (const auto& [name, entry] : m_store.m_keySyms)
            if (entry->m_nSet == set)
                m_out.Line(name + '\t' + entry->m_strValue);
        return kToolDone;
    }

    int Find(const std::string& text)
    {
        const KeySymSearch search(text, m_request.matchCase, m_request.wholeName);
        bool hit = false;
        for (const auto& [name, entry] : m_store.m_keySyms) {
            if (!search.Matches(name))
                continue;
            hit = true;
            m_out.Line(SetName(entry->m_nSet) + '\t' + name + '\t' + entry->m_strValue);
        }
        return hit ? kToolDone : kToolRefused;
    }

    int AddKeySym(const std::string& setName, const std::string& name, const std::string& value)
    {
        const int set = FindSet(setName);
        if (set < 0)
            return kToolRefused;
        if (const int status = CheckFields(name, value); status != kToolDone)
            return status;
        if (const KeySymCheck check = ::AddKeySym(m_store, set, name, value); check.verdict != KeySymVerdict::Usable)
            return Refuse(check, name);
        MarkChanged();
        return kToolDone;
    }

    int EditKeySym(const std::string& name, const std::string& value)
    {
        const auto found = m_store.m_keySyms.find(name);
        if (found == m_store.m_keySyms.end())
            return Refuse(FormatText(kTextNoKeySym, name));
        if (!IsKeySymValueText(value))
            return Refuse(FormatText(kTextBadValue, value));
        // Hex digits in other letter case are the same value: nothing to write.
        if (_stricmp(found->second->m_strValue.c_str(), value.c_str()) == 0)
            return kToolDone;
        if (const KeySymCheck check = ::EditKeySym(m_store, name, name, value); check.verdict != KeySymVerdict::Usable)
            return Refuse(check, name);
        MarkChanged();
        return kToolDone;
    }

    int RemoveKeySym(const std::string& name)
    {
        if (!DeleteKeySym(m_store, name))
            return Refuse(FormatText(kTextNoKeySym, name));
        MarkChanged();
        return kToolDone;
    }

    // The set page's refusals of a set name; true when `typed` can name set `self`.
    bool AcceptSetName(const std::string& typed, int self, std::string& name)
    {
        const SetNameCheck check = CheckSetName(m_store.m_setNames, typed, self);
        const EditorMessage refusal = DescribeSetNameRefusal(check, m_store.m_setNames);
        if (refusal.stringId) {
            m_err.Line(ToolMessage(refusal.stringId, refusal.arg1, refusal.arg2));
            return false;
        }
        name = check.name;
        return true;
    }

    int AddSetNamed(const std::string& typed)
    {
        std::string name;
        if (!AcceptSetName(typed, -1, name))
            return kToolRefused;
        AddSet(m_store, name);
        MarkChanged();
        return kToolDone;
    }

    int RenameSetNamed(const std::string& typed, const std::string& typedNew)
    {
        const int set = FindSet(typed);
        std::string name;
        if (set < 0 || !AcceptSetName(typedNew, set, name))
            return kToolRefused;
        if (name != m_store.m_setNames[set]) {
            RenameSet(m_store, set, name);
            MarkChanged();
        }
        return kToolDone;
    }

    int RemoveSetNamed(const std::string& typed)
    {
        const int set = FindSet(typed);
        if (set < 0)
            return kToolRefused;
        DeleteSet(m_store, set);
        MarkChanged();
        return kToolDone;
    }

    // Each name or skipped line on its own line: the first ten, or all with --verbose.
    template <class Item, class Describe>
    void ListCapped(const std::vector<Item>& items, Describe describe)
    {
        const size_t shown = m_request.verbose ? items.size() : std::min(items.size(), kListedLines);
        for (size_t i = 0; i < shown; ++i)
            m_err.Line(describe(items[i]));
        if (shown < items.size())
            m_err.Line(FormatText(kTextMoreNotShown, std::to_string(items.size() - shown)));
    }

    // As the set page imports: into the set of that name, made when there is none and
    // anything is imported into it.
    int Import(const std::string& path, const std::string& typedSet)
    {
        std::string bytes;
        if (!ReadFileOrNothing(path, bytes)) {
            m_err.Line(ToolMessage(IDS_READ_FAILED, path));
            return kToolRefused;
        }
        KeySymLines lines = ParseKeySymLines(bytes);
        if (!HoldsKeySymLine(lines)) {
            m_err.Line(ToolMessage(IDS_IMPORT_NO_KEYSYMS, path));
            return kToolRefused;
        }
        const SetNameCheck check = CheckSetName(m_store.m_setNames, typedSet, -1);
        int set = check.clash;
        const bool newSet = check.verdict != SetNameVerdict::Taken;
        if (newSet) {
            std::string name;
            if (!AcceptSetName(typedSet, -1, name))
                return kToolRefused;
            set = AddSet(m_store, name);
        }
        const ImportResult result = ImportKeySymLines(m_store, set, std::move(lines));
        if (result.imported > 0)
            MarkChanged();
        else if (newSet)
            DeleteSet(m_store, set);   // nothing came in: no empty set is left behind
        // Skipped lines as "file(line): reason", as compilers report, then the editor's summary.
        ListCapped(result.skips, [&](const ImportSkip& skip) {
            return path + "(" + std::to_string(skip.line) + "): " + DescribeImportSkip(skip, ToolMessage);
        });
        if (result.skipped > 0)
            m_err.Line(SkippedText(result, ToolMessage));
        if (!result.unusable.empty())
            m_err.Line(UnusableText(result.unusable, ToolMessage));
        return kToolDone;
    }

    int Export(const std::string& setName, const std::string& path)
    {
        const int set = FindSet(setName);
        if (set < 0)
            return kToolRefused;
        const ExportText text =
            FormatKeySymExport(m_store, set, m_request.header ? ExportFormat::CHeader : ExportFormat::XKeysymDb);
        if (path == "-") {
            m_out.Bytes(text.text);
        } else if (!WriteFileBeside(path, text.text)) {
            m_err.Line(ToolMessage(IDS_WRITE_FAILED, path));
            return kToolRefused;
        }
        if (text.leftOut.empty())
            return kToolDone;
        ListCapped(text.leftOut, [](const std::string& name) { return EscapeControls(name); });
        m_err.Line(LeftOutText(text.leftOut, ToolMessage));
        return kToolRefused;
    }

    int Check()
    {
        bool unreadable = false;
        const ProfileSections file = ProfileSections::FromFile(m_location.path, &unreadable);
        if (unreadable) {
            m_err.Line(ToolMessage(IDS_READ_FAILED, m_location.path));
            return kToolFileFailed;
        }
        const std::vector<KeySymFileFinding> findings = CheckKeySymFile(file);
        for (const KeySymFileFinding& finding : findings)
            m_out.Line(FormatFinding(finding));
        return findings.empty() ? kToolDone : kToolRefused;
    }

    const ToolRequest& m_request;
    ToolStream& m_out;
    ToolStream& m_err;
    KeySymFileLocation m_location;
    CKeySymStore m_store;
};
}  // namespace

int RunToolCommand(const ToolRequest& request, ToolStream& out, ToolStream& err)
{
    try {
        return ToolSession(request, out, err).Run();
    } catch (const std::bad_alloc&) {
        // Nothing is saved after a change that could not be made whole.
        err.Line(kTextOutOfMemory);
        return kToolFileFailed;
    }
}
