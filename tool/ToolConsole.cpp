#include "tool/ToolConsole.h"
#include "locale/Strings.h"
#include <vector>

namespace {
// Output is collected and written in pieces of this size.
const size_t kFlushSize = 64 * 1024;

bool IsConsole(HANDLE handle)
{
    DWORD mode = 0;
    return handle && handle != INVALID_HANDLE_VALUE && ::GetConsoleMode(handle, &mode);
}

bool WriteAll(HANDLE handle, const char* data, size_t size)
{
    while (size > 0) {
        DWORD written = 0;
        const DWORD want = static_cast<DWORD>(size < kFlushSize ? size : kFlushSize);
        if (!::WriteFile(handle, data, want, &written, nullptr) || written == 0)
            return false;
        data += written;
        size -= written;
    }
    return true;
}

bool WriteConsoleText(HANDLE handle, const std::string& text)
{
    const int count = ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (count <= 0)
        return text.empty();
    std::vector<wchar_t> wide(static_cast<size_t>(count));
    ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), count);
    DWORD written = 0;
    return ::WriteConsoleW(handle, wide.data(), static_cast<DWORD>(count), &written, nullptr) && written > 0;
}
}  // namespace

ToolStream::ToolStream(DWORD stdHandle)
    : m_handle(::GetStdHandle(stdHandle)), m_console(IsConsole(m_handle))
{
}

ToolStream::~ToolStream() { Flush(); }

void ToolStream::Line(std::string_view text)
{
    m_pending.append(text);
    m_pending.append("\r\n");
    if (m_pending.size() >= kFlushSize)
        Flush();
}

void ToolStream::Bytes(std::string_view bytes)
{
    m_pending.append(bytes);
    if (m_pending.size() >= kFlushSize)
        Flush();
}

bool ToolStream::Flush()
{
    if (!m_pending.empty()) {
        // Pending text always ends where a whole line or piece ended, so a double-byte
        // character is never cut between two console writes.
        const bool ok = m_console ? WriteConsoleText(m_handle, m_pending)
                                  : WriteAll(m_handle, m_pending.data(), m_pending.size());
        m_failed = m_failed || !ok;
        m_pending.clear();
    }
    return !m_failed;
}

std::string ToolMessage(UINT id, const std::string& arg1, const std::string& arg2, const std::string& arg3)
{
    std::string text = FormatResString(id, arg1, arg2, arg3);
    const size_t paragraph = text.find("\n\n");
    if (paragraph != std::string::npos)
        text.resize(paragraph);
    std::string line;
    line.reserve(text.size());
    for (char c : text) {
        if (c == '\r')
            continue;
        line.push_back(c == '\n' ? ' ' : c);
    }
    return line;
}
