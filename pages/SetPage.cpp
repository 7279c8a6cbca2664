#include "pages/SetPage.h"
#include "framework/FileDialog.h"
#include "pages/PageSupport.h"
#include "store/SetEdits.h"
#include "pages/SetNameDialog.h"
#include "store/NameRules.h"
#include "store/WholeFile.h"
#include "resources/resource.h"
#include "x11/InterchangeMessages.h"
#include "x11/KeySymImport.h"
#include <mbctype.h>

const CommandEntry CStEdtPp::kCommands[] = {
    {BN_CLICKED, IDC_ST_ADD, Handler(&CStEdtPp::OnAddSet)},
    {BN_CLICKED, IDC_ST_RENAME, Handler(&CStEdtPp::OnRenameSet)},
    {LBN_SELCHANGE, IDC_ST_SETS, Handler(&CStEdtPp::OnSelChangeSetList)},
    {BN_CLICKED, IDC_ST_DELETE, Handler(&CStEdtPp::OnDeleteSet)},
    {BN_CLICKED, IDC_ST_IMPORT, Handler(&CStEdtPp::OnImportKeySyms)},
    {BN_CLICKED, IDC_ST_EXPORT, Handler(&CStEdtPp::OnExportKeySyms)},
};

const KeyEntry CStEdtPp::kKeys[] = {
    {IDC_ST_SETS, VK_DELETE, IDC_ST_DELETE},
    {IDC_ST_SETS, VK_F2, IDC_ST_RENAME},
    {IDC_ST_SETS, VK_INSERT, IDC_ST_ADD},
};

namespace {

const char kExportExtension[] = "db";

// "<set>.db", with the characters a file name cannot hold made "_"; a trail byte that looks
// like one of them is left alone.
std::string ExportFileName(const std::string& setName)
{
    std::string name;
    for (size_t i = 0; i < setName.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(setName[i]);
        if (_ismbblead(c) && i + 1 < setName.size()) {
            name.append(setName, i++, 2);
            continue;
        }
        name += c < 0x20 || std::string_view("\\/:*?\"<>|").find(static_cast<char>(c)) != std::string_view::npos
                    ? '_' : static_cast<char>(c);
    }
    return name + '.' + kExportExtension;
}

// Paragraphs of a message box, the empty ones left out.
void AddParagraph(std::string& text, const std::string& paragraph)
{
    if (paragraph.empty()) return;
    if (!text.empty()) text += "\r\n\r\n";
    text += paragraph;
}

}  // namespace

CStEdtPp::CStEdtPp(CKeySymStore& store) : CPropertyPage(IDD_SET_PAGE), m_store(store) {}

std::span<const CommandEntry> CStEdtPp::GetCommandMap() const { return kCommands; }
std::span<const KeyEntry> CStEdtPp::GetKeyMap() const { return kKeys; }

void CStEdtPp::DoDataExchange(CDataExchange& dx)
{
    DDX_Control(dx, IDC_ST_DELETE, m_btnDelete);
    DDX_Control(dx, IDC_ST_RENAME, m_btnRename);
    DDX_Control(dx, IDC_ST_ADD, m_btnAdd);
    DDX_Control(dx, IDC_ST_IMPORT, m_btnImport);
    DDX_Control(dx, IDC_ST_EXPORT, m_btnExport);
    DDX_Control(dx, IDC_ST_SETS, m_listSets);
    DDX_LBString(dx, IDC_ST_SETS, m_strSelSet);
}

void CStEdtPp::FillSetList()
{
    // Rows are added with redraw off: a visible list repaints its scroll bar per row.
    const std::vector<std::string>& names = m_store.m_setNames;
    size_t bytes = 0;
    for (const std::string& name : names)
        bytes += name.size() + 1;
    m_listSets.SetRedraw(false);
    m_listSets.ResetContent();
    m_listSets.InitStorage(static_cast<int>(names.size()), static_cast<int>(bytes));
    for (const std::string& name : names)
        m_listSets.AddString(name);
    m_listSets.SetRedraw(true);
    m_listSets.Invalidate();
}

void CStEdtPp::InsertSetRow(int row, const std::string& name)
{
    if (m_listSets.InsertString(row, name) != row)
        FillSetList();
}

void CStEdtPp::UpdateInterchangeButtons()
{
    const int row = m_listSets.GetCurSel();
    const bool selected = m_store.HasSet(row);
    m_btnImport.EnableWindow(selected);
    m_btnExport.EnableWindow(selected);
}

bool CStEdtPp::GetSelectedSet(int& row, std::string& name) const
{
    row = m_listSets.GetCurSel();
    // Row i is set i: its name comes from the store, not read back from the row.
    if (!m_store.HasSet(row))
        return false;
    name = m_store.SetName(row);
    return true;
}

BOOL CStEdtPp::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    FillSetList();
    // Rename and Delete wait for the user's own choice of a set.
    m_btnRename.EnableWindow(false);
    m_btnDelete.EnableWindow(false);
    UpdateInterchangeButtons();
    return TRUE;
}

BOOL CStEdtPp::OnSetActive()
{
    const BOOL result = CPropertyPage::OnSetActive();
    if (m_store.m_nCurSet != -1)
        m_listSets.SetCurSel(m_store.m_nCurSet);
    UpdateInterchangeButtons();
    return result;
}

BOOL CStEdtPp::OnApply()
{
    // Changes kept unsaved keep the sheet open, whether OK or Apply was pressed.
    return ApplyStoreChanges(*this, m_store) ? CPropertyPage::OnApply() : FALSE;
}

void CStEdtPp::OnSelChangeSetList()
{
    const int row = m_listSets.GetCurSel();
    if (row == LB_ERR)
        return;
    m_btnRename.EnableWindow(true);
    m_btnDelete.EnableWindow(true);
    m_store.m_nCurSet = row;
    UpdateInterchangeButtons();
}

bool CStEdtPp::AcceptSetName(const std::string& typed, int self, std::string& name) const
{
    const SetNameCheck check = CheckSetName(m_store.m_setNames, typed, self);
    const EditorMessage refusal = DescribeSetNameRefusal(check, m_store.m_setNames);
    if (refusal.stringId) {
        ResMessageBox(refusal.stringId, MB_OK | MB_ICONEXCLAMATION, refusal.arg1, refusal.arg2);
        return false;
    }
    name = check.name;
    return true;
}

void CStEdtPp::OnAddSet()
{
    CSetNameDlg dialog;
    if (dialog.DoModal() != IDOK)
        return;
    std::string name;
    if (!AcceptSetName(dialog.m_strNewName, -1, name))
        return;
    // The store changes first and wholly, or not at all; the list then follows it.
    const int added = AddSet(m_store, name);
    InsertSetRow(added, name);
    m_listSets.SetCurSel(added);
    m_store.m_nCurSet = added;
    MarkStoreChanged(*this, m_store);
    UpdateInterchangeButtons();
}

void CStEdtPp::OnDeleteSet()
{
    int row;
    std::string name;
    if (!GetSelectedSet(row, name))
        return;
    // Only a plain Yes deletes: a box that could not be shown says nothing.
    if (ResMessageBox(IDS_CONFIRM_DELETE_SET, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2, name) != IDYES)
        return;
    DeleteSet(m_store, row);
    m_listSets.DeleteString(row);
    if (m_listSets.GetCount() != static_cast<int>(m_store.m_setNames.size()))
        FillSetList();
    // The set that followed takes the row; after the last row the first is next.
    const int next = row == m_listSets.GetCount() ? 0 : row;
    m_listSets.SetCurSel(next);
    m_store.m_nCurSet = next;
    MarkStoreChanged(*this, m_store);
    UpdateInterchangeButtons();
}

void CStEdtPp::OnRenameSet()
{
    int row;
    std::string oldName;
    if (!GetSelectedSet(row, oldName))
        return;
    CSetNameDlg dialog;
    dialog.m_strOldName = oldName;
    if (dialog.DoModal() != IDOK)
        return;
    std::string name;
    if (!AcceptSetName(dialog.m_strNewName, row, name))
        return;
    const int renamed = RenameSet(m_store, row, name);
    m_listSets.DeleteString(row);
    InsertSetRow(renamed, name);
    m_listSets.SetCurSel(renamed);
    m_store.m_nCurSet = renamed;
    MarkStoreChanged(*this, m_store);
    UpdateInterchangeButtons();
}

void CStEdtPp::OnImportKeySyms()
{
    int row;
    std::string setName;
    if (!GetSelectedSet(row, setName))
        return;
    std::string path, bytes;
    if (!AskOpenFilePath(LoadResString(IDS_IMPORT_TITLE), path))
        return;
    if (!ReadFileOrNothing(path, bytes)) {
        ResMessageBox(IDS_READ_FAILED, MB_OK | MB_ICONEXCLAMATION, path);
        return;
    }
    // All or nothing: out of memory leaves the store as it was.
    const ImportResult result = ImportKeySyms(m_store, row, bytes);
    if (!result.anyKeySymLine) {
        ResMessageBox(IDS_IMPORT_NO_KEYSYMS, MB_OK | MB_ICONEXCLAMATION, path);
        return;
    }
    if (result.imported > 0)
        MarkStoreChanged(*this, m_store);
    std::string text = ImportedText(result.imported, setName, FormatResString);
    AddParagraph(text, SkippedText(result, FormatResString));
    AddParagraph(text, UnusableText(result.unusable, FormatResString));
    const bool warn = result.skipped > 0 || !result.unusable.empty();
    TextMessageBox(text, MB_OK | (warn ? MB_ICONEXCLAMATION : MB_ICONINFORMATION));
}

void CStEdtPp::OnExportKeySyms()
{
    int row;
    std::string setName, path;
    if (!GetSelectedSet(row, setName))
        return;
    // The file type chosen in the dialog is the format: XKeysymDB first, as before.
    const std::vector<FileType> types = {{LoadResString(IDS_FILTER_XKEYSYMDB), "*.db"},
                                         {LoadResString(IDS_FILTER_C_HEADER), "*.h"}};
    size_t type = 0;
    if (!AskSaveFilePath(LoadResString(IDS_EXPORT_TITLE), ExportFileName(setName), kExportExtension, path, types, &type))
        return;
    const ExportText text = FormatKeySymExport(m_store, row, type == 1 ? ExportFormat::CHeader : ExportFormat::XKeysymDb);
    if (!WriteFileBeside(path, text.text))
        ResMessageBox(IDS_WRITE_FAILED, MB_OK | MB_ICONEXCLAMATION, path);
    else if (!text.leftOut.empty())
        TextMessageBox(LeftOutText(text.leftOut, FormatResString), MB_OK | MB_ICONEXCLAMATION);
}
