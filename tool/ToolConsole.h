#pragma once
// Where the tool's text goes: data on standard output, messages on standard error. Text is
// ANSI, the code page the keysym file is written and shown in, and every line ends with
// CR LF. A stream that is a console gets the text through the console's wide-character
// calls, so that a console code page other than the ANSI one does not garble it; a file or
// pipe gets the bytes as they are.
#include <windows.h>
#include <string>
#include <string_view>

class ToolStream {
public:
    explicit ToolStream(DWORD stdHandle);
    ~ToolStream();
    ToolStream(const ToolStream&) = delete;
    ToolStream& operator=(const ToolStream&) = delete;

    // `text` and a line end.
    void Line(std::string_view text);
    // `bytes` as they are, line ends included.
    void Bytes(std::string_view bytes);
    // False when the text could not be written whole.
    bool Flush();

private:
    HANDLE m_handle;
    bool m_console;
    bool m_failed = false;
    std::string m_pending;
};

// A library string with %1 to %3 filled in, as one line: only the first paragraph of a
// text made for a message box (the rest asks or advises the user of a dialog), its line
// breaks turned into blanks.
std::string ToolMessage(UINT id, const std::string& arg1 = {}, const std::string& arg2 = {},
                        const std::string& arg3 = {});
