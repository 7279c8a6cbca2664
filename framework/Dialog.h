#pragma once
// Modal dialogs over templates of the resource library: `this` is recovered once at
// creation, WM_COMMAND goes through a small static table per class, and data exchange
// binds controls and texts by id.
#include "framework/Controls.h"
#include <span>
#include <string>

class CDialog;
using CommandHandler = void (CDialog::*)();

// One row of a class's command table: notification code, control id, handler.
struct CommandEntry {
    UINT code;
    UINT id;
    CommandHandler handler;
};

// One key pressed in a control that presses a button of the same dialog, as a click would
// (when the button is enabled): the keyboard way to a button.
struct KeyEntry {
    UINT controlId;
    UINT key;        // virtual-key code, without Ctrl or Alt
    UINT buttonId;
};

template <class T>
constexpr CommandHandler Handler(void (T::*handler)())
{
    return static_cast<CommandHandler>(handler);
}

class CDataExchange {
public:
    CDataExchange(HWND dialog, bool saveAndValidate) : m_hDlg(dialog), m_bSaveAndValidate(saveAndValidate) {}
    HWND Control(int id) const { return ::GetDlgItem(m_hDlg, id); }
    void Fail() { m_bFailed = true; }

    HWND m_hDlg;
    bool m_bSaveAndValidate;
    bool m_bFailed = false;
};

void DDX_Control(CDataExchange& dx, int id, CWnd& control);
void DDX_Text(CDataExchange& dx, int id, std::string& value);
// List box string: on save the selected row's text, on load selects the first row that begins with it.
void DDX_LBString(CDataExchange& dx, int id, std::string& value);
// On save, fails when the text is longer than `maxChars`; on load, limits the edit control.
void DDV_MaxChars(CDataExchange& dx, int id, const std::string& value, int maxChars);

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId) : m_nTemplateId(templateId) {}
    virtual ~CDialog() = default;
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    // Runs the dialog owned by the thread's active window; IDOK, IDCANCEL or -1.
    INT_PTR DoModal();
    bool UpdateData(bool saveAndValidate);
    // A key pressed in control `controlId`: when the key map gives it a button, presses that
    // button if it is enabled, and the key is taken (true).
    bool PressKeyButton(UINT controlId, WPARAM key);
    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }

    UINT m_nTemplateId;

protected:
    virtual void DoDataExchange(CDataExchange& dx) { (void)dx; }
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    virtual std::span<const CommandEntry> GetCommandMap() const { return {}; }
    virtual std::span<const KeyEntry> GetKeyMap() const { return {}; }
    // WM_NOTIFY; true when handled, with the dialog result in `result`.
    virtual bool OnNotify(const NMHDR& header, LRESULT& result) { (void)header; (void)result; return false; }
    // Messages that are neither commands nor notifications; false lets the dialog manager have them.
    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result);
    void EndDialog(INT_PTR result) { ::EndDialog(m_hWnd, result); }

    // The window procedure shared by dialogs and pages, once `this` is known.
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void AttachToWindow(HWND hwnd);
    static CDialog* FromWindow(HWND hwnd);

private:
    bool DispatchCommand(UINT code, UINT id);
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
};
