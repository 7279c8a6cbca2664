#include "store/KeySymSearch.h"
#include <mbstring.h>

namespace {
// A lower-cased copy; double-byte characters are folded as the multibyte code page says.
std::string FoldCase(std::string text)
{
    if (!text.empty())
        _mbslwr(reinterpret_cast<unsigned char*>(text.data()));
    return text;
}

// Whether `name` begins with `prefix`. A well-formed prefix that equals the name's first
// bytes also ends on one of its character boundaries, so bytes can be compared.
bool BeginsWith(const std::string& name, const std::string& prefix)
{
    return name.size() >= prefix.size() && name.compare(0, prefix.size(), prefix) == 0;
}
}  // namespace

KeySymSearch::KeySymSearch(std::string text, bool matchCase, bool wholeName)
    : m_text(std::move(text)), m_matchCase(matchCase), m_wholeName(wholeName)
{
    if (!m_matchCase && !m_wholeName)
        m_foldedText = FoldCase(m_text);
}

bool KeySymSearch::Matches(const std::string& name) const
{
    if (m_matchCase)
        return m_wholeName ? name == m_text : BeginsWith(name, m_text);
    if (m_wholeName)
        return _mbsicmp(reinterpret_cast<const unsigned char*>(name.c_str()),
                        reinterpret_cast<const unsigned char*>(m_text.c_str())) == 0;
    // Folding keeps lengths, so only as much of the name as the text is long is folded.
    return name.size() >= m_foldedText.size() && FoldCase(name.substr(0, m_foldedText.size())) == m_foldedText;
}
