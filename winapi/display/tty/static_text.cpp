/* Static controls: texts laid out in the cells the box and the free room around it give,
 * and the sunken line. */
#include "control_kinds.h"

#include <algorithm>
#include <string>
#include <vector>

#include "geometry.h"
#include "wrap.h"

namespace tty {
namespace {

bool IsLine(HWND hwnd, DWORD style)
{
    return (style & SS_SUNKEN) && GetWindowTextLengthA(hwnd) == 0;
}

std::vector<std::string> StaticLines(HWND hwnd, DWORD style, int columns)
{
    std::string text = TextOf(hwnd);
    if (!(style & SS_NOPREFIX)) text = WithoutMnemonic(text);
    DWORD type = style & SS_TYPEMASK;
    if (type == SS_LEFTNOWORDWRAP || type == SS_SIMPLE) return WrapText(text, 0x7FFF);
    return WrapText(text, columns);
}

/* Rows below `own` that a static may use: down to its parent's bottom, up to the first row
 * where another visible sibling takes cells in its columns. */
int FreeRowsBelow(HWND hwnd, const Cells &own, int wanted)
{
    HWND parent = GetParent(hwnd);
    int limit = own.bottom + wanted;
    if (parent) limit = std::min(limit, CellsOf(parent).bottom);
    for (HWND sibling = parent ? GetWindow(hwnd, GW_HWNDFIRST) : nullptr; sibling;
         sibling = GetWindow(sibling, GW_HWNDNEXT)) {
        if (sibling == hwnd || !(StyleOf(sibling) & WS_VISIBLE)) continue;
        Cells other = OccupiedCellsOf(sibling);
        if (other.right <= own.left || other.left >= own.right) continue;
        if (other.bottom > own.bottom && other.top < limit) limit = std::max(own.bottom, other.top);
    }
    return std::max(0, limit - own.bottom);
}

/* Columns right of `own` that no other visible sibling takes in its rows, up to the parent's edge. */
int FreeColumnsRight(HWND hwnd, const Cells &own)
{
    HWND parent = GetParent(hwnd);
    if (!parent) return 0;
    int limit = CellsOf(parent).right;
    for (HWND sibling = GetWindow(hwnd, GW_HWNDFIRST); sibling; sibling = GetWindow(sibling, GW_HWNDNEXT)) {
        if (sibling == hwnd || !(StyleOf(sibling) & WS_VISIBLE)) continue;
        Cells other = OccupiedCellsOf(sibling);
        if (other.bottom <= own.top || other.top >= own.bottom || other.right <= own.right) continue;
        limit = std::min(limit, std::max(own.right, other.left));
    }
    return std::max(0, limit - own.right);
}

/* Where a static's text goes. A terminal cell is as wide as the platform font's average
 * character, so a text that fits its box on the platform may need more room here. It takes, in
 * this order of preference, as few free columns to its right as let it keep its own rows (the
 * lines then break much as the platform's do), the free rows below its box, or both; a text
 * that fits nowhere shows as much of itself as the free room holds. */
struct StaticLayout {
    Cells extent;
    std::vector<std::string> lines;
};

bool TryLayout(HWND hwnd, DWORD style, const Cells &box, bool use_rows_below, StaticLayout *layout)
{
    std::vector<std::string> lines = StaticLines(hwnd, style, box.Width());
    int wanted = (int)lines.size() - box.Height();
    int below = use_rows_below && wanted > 0 ? FreeRowsBelow(hwnd, box, wanted) : 0;
    if (wanted > below) return false;
    *layout = {{box.left, box.top, box.right, box.bottom + std::max(0, wanted)}, lines};
    return true;
}

StaticLayout LayOutStatic(HWND hwnd, DWORD style, const Cells &own)
{
    StaticLayout layout;
    if (TryLayout(hwnd, style, own, false, &layout)) return layout;
    int right = FreeColumnsRight(hwnd, own);
    for (bool use_rows_below : {false, true}) {
        if (use_rows_below && TryLayout(hwnd, style, own, true, &layout)) return layout;
        for (int extra = 1; extra <= right; extra++)
            if (TryLayout(hwnd, style, {own.left, own.top, own.right + extra, own.bottom}, use_rows_below, &layout))
                return layout;
    }
    Cells widest = {own.left, own.top, own.right + right, own.bottom};
    layout = {widest, StaticLines(hwnd, style, widest.Width())};
    layout.extent.bottom += FreeRowsBelow(hwnd, widest, (int)layout.lines.size() - widest.Height());
    return layout;
}

}  // namespace

Cells StaticExtent(HWND hwnd, const Cells &own)
{
    DWORD style = StyleOf(hwnd);
    if ((style & SS_TYPEMASK) == SS_ICON || IsLine(hwnd, style)) return own;
    return LayOutStatic(hwnd, style, own).extent;
}

void DrawStatic(const Canvas &canvas, HWND hwnd, const Cells &own)
{
    DWORD style = StyleOf(hwnd);
    DWORD type = style & SS_TYPEMASK;
    if (type == SS_ICON) return;
    attr_t attr = FaceAttr(hwnd);
    if (IsLine(hwnd, style)) {
        for (int x = own.left; x < own.right; x++) canvas.Put(x, own.top, kLineAcross | attr);
        return;
    }
    StaticLayout layout = LayOutStatic(hwnd, style, own);
    const Cells &box = layout.extent;
    for (size_t i = 0; i < layout.lines.size(); i++) {
        const std::string &line = layout.lines[i];
        int x = box.left;
        if (type == SS_CENTER) x += std::max(0, (box.Width() - (int)line.size()) / 2);
        else if (type == SS_RIGHT) x += std::max(0, box.Width() - (int)line.size());
        canvas.Text(x, box.top + (int)i, line, attr, box.right - x);
    }
}


}  // namespace tty
