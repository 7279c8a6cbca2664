// Walks through the editor in one language and captures every page, dialog and message
// box to BMP files, so that a person can look at the editor without running it:
//   editor_tour OUTPUT-FOLDER LANGUAGE-CODE
// The language is chosen the way the module chooses it, through the locale settings.
#include "EditorDriver.h"
#include "resources/resource.h"
#include <cstdio>
#include <memory>

using namespace kstest;

namespace {
const char kSample[] =
    "[main]\r\nCyrillic=1\r\nGreek=1\r\nTechnical symbols=1\r\n"
    "[Cyrillic]\r\nCyrillic_a=6c1\r\nCyrillic_be=6c2\r\n"
    "[Greek]\r\nalpha=7e1\r\nbeta=7e2\r\ngamma=7e3\r\nGreek_OMEGAaccent=7ab\r\nGreek_alphaaccent=7b1\r\n"
    "[Technical symbols]\r\nleftradical=8a1\r\nintegral=8bf\r\n";

// Under code page 932 the sample also holds sets and keysyms with double-byte names, whose
// trail bytes are "[", "]", "@" and letters.
const wchar_t kJapaneseSets[] =
    L"[main]\r\nキー記号=1\r\nデータ=1\r\n"
    L"[キー記号]\r\n機能キー=1000100\r\n変換=ff23\r\nユーザー定義=10000ab\r\n"
    L"[データ]\r\nゾーン=1000101\r\n";

std::string SampleFile()
{
    if (::GetACP() != 932)
        return kSample;
    const int n = ::WideCharToMultiByte(932, 0, kJapaneseSets, -1, nullptr, 0, nullptr, nullptr);
    std::string japanese(static_cast<size_t>(n), '\0');
    ::WideCharToMultiByte(932, 0, kJapaneseSets, -1, japanese.data(), n, nullptr, nullptr);
    japanese.resize(static_cast<size_t>(n - 1));
    // The set list of both, then the sections of both.
    std::string sample = kSample;
    const size_t sections = sample.find("\r\n[", 5) + 2;
    const size_t theirSections = japanese.find("\r\n[", 5) + 2;
    sample.insert(sections, japanese.substr(theirSections));
    sample.insert(sections, japanese.substr(8, theirSections - 8));
    return sample;
}

bool Capture(HWND window, const std::string& path)
{
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    ::Sleep(150);
    RECT rect;
    ::GetWindowRect(window, &rect);
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    ::SelectObject(memory, old);
    const DWORD stride = ((width * 3 + 3) & ~3), size = stride * height;
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info.bmiHeader;
    file.bfSize = file.bfOffBits + size;
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
    bytes.append(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
    bytes.append(static_cast<const char*>(bits), size);
    WriteFileBytes(path, bytes);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return true;
}

// Presses `button` on `page`, captures the dialog or message box it opens (after `fill`),
// and closes it with `closeButton`.
void CapturePopup(SheetSession& sheet, HWND page, int button, const std::string& path, int closeButton,
                  void (*fill)(HWND popup) = nullptr)
{
    PostClick(page, button);
    HWND popup = sheet.WaitForPopup();
    if (!popup)
        return;
    if (fill)
        fill(popup);
    Capture(popup, path);
    Answer(popup, closeButton);
    WaitGone(popup);
    sheet.Sync();
}
}

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: editor_tour OUTPUT-FOLDER LANGUAGE-CODE\n");
        return 2;
    }
    const std::string out = std::string(argv[1]) + "\\" + argv[2] + "-";
    ChooseUiLanguage(argv[2]);
    ModuleFixture dirs(SampleFile());
    if (!dirs.Load()) {
        std::fprintf(stderr, "the module did not load\n");
        ClearUiLanguage();
        return 1;
    }
    {
        SheetSession sheet(dirs.module);
        HWND page = sheet.Page(0);
        SelectComboRow(page, IDC_KS_SETS, 1);
        SelectListRow(page, IDC_KS_KEYSYMS, 2);
        sheet.Sync();
        Capture(sheet.sheet, out + "1-keysym-page.bmp");

        CapturePopup(sheet, page, IDC_KS_EDIT, out + "2-keysym-dialog-edit.bmp", IDCANCEL);
        CapturePopup(sheet, page, IDC_KS_ADD, out + "3-keysym-dialog-new.bmp", IDCANCEL);
        // What the hint says of a standard name with another value, and of names and values X cannot use.
        CapturePopup(sheet, page, IDC_KS_ADD, out + "3a-keysym-dialog-hint-standard.bmp", IDCANCEL, [](HWND dialog) {
            SetEditText(dialog, IDC_SYM_NAME, "Greek_alpha");
            SetEditText(dialog, IDC_SYM_VALUE, "7e2");
        });
        CapturePopup(sheet, page, IDC_KS_ADD, out + "3b-keysym-dialog-hint-refused.bmp", IDCANCEL, [](HWND dialog) {
            SetEditText(dialog, IDC_SYM_NAME, "my-key");
            SetEditText(dialog, IDC_SYM_VALUE, "20000000");
        });
        CapturePopup(sheet, page, IDC_KS_ADD, out + "3c-keysym-dialog-hint-unicode.bmp", IDCANCEL, [](HWND dialog) {
            SetEditText(dialog, IDC_SYM_NAME, "my_arrow");
            SetEditText(dialog, IDC_SYM_VALUE, "1002192");
        });
        CapturePopup(sheet, page, IDC_KS_DELETE, out + "4-delete-keysym-question.bmp", IDNO);

        page = sheet.Page(1);
        SetEditText(page, IDC_SCH_FIND_TEXT, "gam");
        PostClick(page, IDC_SCH_FIND);
        sheet.Sync();
        Capture(sheet.sheet, out + "5-search-page-hit.bmp");

        page = sheet.Page(2);
        SelectListRow(page, IDC_ST_SETS, 1);
        sheet.Sync();
        Capture(sheet.sheet, out + "6-set-page.bmp");
        if (::GetACP() == 932) {
            page = sheet.Page(0);
            SelectComboRow(page, IDC_KS_SETS, 3);   // after the sets of single-byte names
            sheet.Sync();
            Capture(sheet.sheet, out + "1a-keysym-page-double-byte.bmp");
            page = sheet.Page(2);
        }
        CapturePopup(sheet, page, IDC_ST_RENAME, out + "7-set-name-dialog-rename.bmp", IDCANCEL,
                     [](HWND dialog) { SetEditText(dialog, IDC_SET_NEW_NAME, "Greek letters"); });
        CapturePopup(sheet, page, IDC_ST_ADD, out + "8-set-name-dialog-add.bmp", IDCANCEL);
    }
    dirs.Unload();
    ClearUiLanguage();
    return 0;
}
