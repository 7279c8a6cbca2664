#include "pages/ListLayout.h"
#include <algorithm>
#include <climits>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

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

// Gives the list its one tab stop, one character of room after the widest name, rounded up to
// whole tab units (a quarter of the average width), so the value never starts inside a name at
// any font size. Returns the tab position in pixels as the list draws it.
int SetTabStop(CListBox& list, const ListFont& font, int widestName)
{
    const int average = font.AverageCharWidth();
    const int wanted = kRowIndent + widestName + average;
    int units = (wanted * 4 + average - 1) / average;
    list.SetTabStops(1, &units);
    return ::MulDiv(units, average, 4);
}

// The next tab stop right of `x`: with one tab stop given, the list repeats it.
long long NextTab(long long x, int interval) { return (x / interval + 1) * interval; }

// Where the row's last piece ends as the list draws it. Measured piece by piece: a tabbed
// extent carries its width in 16 bits only.
long long DrawnRight(const ListFont& font, const std::string& row, int interval)
{
    long long right = kRowIndent;
    for (size_t start = 0;;) {
        const size_t tab = row.find('\t', start);
        right += font.Width(std::string_view(row).substr(start, tab - start));
        if (tab == std::string::npos)
            return right;
        right = NextTab(right, interval);
        start = tab + 1;
    }
}

// A little past the last drawn pixel, so the row's end scrolls clear of the list's edge.
void SetExtent(CListBox& list, long long widestRight)
{
    const long long extent = widestRight > kRowIndent ? widestRight + 3 : 0;
    list.SetHorizontalExtent(static_cast<int>(std::min<long long>(extent, INT_MAX)));
}

} // namespace

int LayOutKeySymList(CListBox& list)
{
    const int count = list.GetCount();
    if (count == LB_ERR)
        return 0;
    const ListFont font(list);
    // Each row is read and each piece measured once: the widths of its name and its value.
    constexpr int kNoValue = -1, kSeveralTabs = -2;
    std::vector<std::pair<int, int>> widths(static_cast<size_t>(count), {0, kNoValue});
    int widestName = 0;
    std::string row;
    for (int i = 0; i < count; ++i) {
        if (!list.GetText(i, row))
            continue;
        const size_t tab = row.find('\t');
        auto& [name, value] = widths[static_cast<size_t>(i)];
        name = font.Width(std::string_view(row).substr(0, tab));
        widestName = std::max(widestName, name);
        if (tab != std::string::npos)
            value = row.find('\t', tab + 1) == std::string::npos ? font.Width(std::string_view(row).substr(tab + 1))
                                                                   : kSeveralTabs;
    }
    const int tabStop = SetTabStop(list, font, widestName);

    const int interval = std::max(tabStop, 1);
    long long widest = 0;
    for (int i = 0; i < count; ++i) {
        const auto [name, value] = widths[static_cast<size_t>(i)];
        long long right = kRowIndent + name;
        if (value >= 0)
            right = NextTab(right, interval) + value;
        else if (value == kSeveralTabs && list.GetText(i, row))
            right = DrawnRight(font, row, interval);
        widest = std::max(widest, right);
    }
    SetExtent(list, widest);
    return tabStop;
}
