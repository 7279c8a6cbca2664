#include "pages/ListLayout.h"
#include <string>

void FitListColumns(CListBox& list, int& tabStop)
{
    HDC dc = ::GetDC(list.m_hWnd);
    const int count = list.GetCount();
    if (count == LB_ERR) {
        ::ReleaseDC(list.m_hWnd, dc);
        return;
    }
    HFONT font = list.GetFont();
    HGDIOBJ previous = font ? ::SelectObject(dc, font) : nullptr;

    int widest = 0;
    std::string row;
    for (int i = 0; i < count; ++i) {
        if (!list.GetText(i, row))
            continue;
        const size_t tab = row.find('\t');
        const size_t nameLength = tab == std::string::npos ? row.size() : tab;
        SIZE size{};
        ::GetTextExtentPointA(dc, row.c_str(), static_cast<int>(nameLength), &size);
        if (size.cx > widest)
            widest = size.cx;
    }
    if (previous)
        ::SelectObject(dc, previous);

    TEXTMETRICA metrics{};
    ::GetTextMetricsA(dc, &metrics);
    // Tab stops are in dialog-template units: a quarter of the average character width.
    tabStop = widest * metrics.tmAveCharWidth / 8;
    list.SetTabStops(1, &tabStop);
    tabStop = widest + 4;
    ::ReleaseDC(list.m_hWnd, dc);
}

void SetListHorizontalExtent(CListBox& list, int tabPosition)
{
    HDC dc = ::GetDC(list.m_hWnd);
    const int count = list.GetCount();
    HFONT font = list.GetFont();
    HGDIOBJ previous = ::SelectObject(dc, font ? static_cast<HGDIOBJ>(font) : ::GetStockObject(SYSTEM_FONT));

    WORD widest = 0;
    std::string row;
    for (int i = 0; i < count; ++i) {
        if (!list.GetText(i, row))
            continue;
        DWORD extent = ::GetTabbedTextExtentA(dc, row.c_str(), static_cast<int>(row.size()), 1, &tabPosition);
        WORD width = LOWORD(extent);
        if (width > widest)
            widest = width;
    }
    list.SetHorizontalExtent(widest);
    ::SelectObject(dc, previous);
    ::ReleaseDC(list.m_hWnd, dc);
}
