#include "pages/ListLayout.h"
#include <algorithm>
#include <climits>
#include <string>
#include <string_view>

namespace {

// Selects the list's font (the system font when it has none) for the measuring.
class ListFont {
public:
    explicit ListFont(CListBox& list) : m_list(list), m_dc(::GetDC(list.m_hWnd))
    {
        HFONT font = list.GetFont();
        m_previous = ::SelectObject(m_dc, font ? static_cast<HGDIOBJ>(font) : ::GetStockObject(SYSTEM_FONT));
    }
    ~ListFont()
    {
        ::SelectObject(m_dc, m_previous);
        ::ReleaseDC(m_list.m_hWnd, m_dc);
    }
    ListFont(const ListFont&) = delete;
    ListFont& operator=(const ListFont&) = delete;

    int Width(std::string_view text) const
    {
        SIZE size{};
        ::GetTextExtentPoint32A(m_dc, text.data(), static_cast<int>(text.size()), &size);
        return size.cx;
    }
    // The list box turns tab stops into pixels with this average width (the dialog base unit
    // of its own font), not with tmAveCharWidth.
    int AverageCharWidth() const
    {
        const int width = Width("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
        return width > 0 ? (width / 26 + 1) / 2 : 1;
    }

private:
    CListBox& m_list;
    HDC m_dc;
    HGDIOBJ m_previous;
};

// Rows are drawn one pixel in from the list's left edge.
constexpr int kRowIndent = 1;

} // namespace

void FitListColumns(CListBox& list, int& tabStop)
{
    const int count = list.GetCount();
    if (count == LB_ERR)
        return;
    const ListFont font(list);

    int widest = 0;
    std::string row;
    for (int i = 0; i < count; ++i) {
        if (!list.GetText(i, row))
            continue;
        const std::string_view name = std::string_view(row).substr(0, row.find('\t'));
        const int width = font.Width(name);
        if (width > widest)
            widest = width;
    }

    // One character of room after the widest name, rounded up to whole tab units (a quarter
    // of the average width), so the value never starts inside a name at any font size.
    const int average = font.AverageCharWidth();
    const int wanted = kRowIndent + widest + average;
    int units = (wanted * 4 + average - 1) / average;
    list.SetTabStops(1, &units);
    tabStop = ::MulDiv(units, average, 4);
}

void SetListHorizontalExtent(CListBox& list, int tabPosition)
{
    const int count = list.GetCount();
    if (count == LB_ERR)
        return;
    const ListFont font(list);
    const int interval = tabPosition > 0 ? tabPosition : 1;

    // Measured piece by piece: a tabbed extent carries its width in 16 bits only.
    long long widest = 0;
    std::string row;
    for (int i = 0; i < count; ++i) {
        if (!list.GetText(i, row))
            continue;
        long long right = kRowIndent;
        size_t start = 0;
        for (;;) {
            const size_t tab = row.find('\t', start);
            right += font.Width(std::string_view(row).substr(start, tab - start));
            if (tab == std::string::npos)
                break;
            right = (right / interval + 1) * interval;
            start = tab + 1;
        }
        if (right > widest)
            widest = right;
    }
    // A little past the last drawn pixel, so the row's end scrolls clear of the list's edge.
    const long long extent = widest > kRowIndent ? widest + 3 : 0;
    list.SetHorizontalExtent(static_cast<int>(std::min<long long>(extent, INT_MAX)));
}
